#pragma once
// Whose eyes a registry reference is judged with. Data in the 32-bit
// branches (Wow6432Node) belongs to 32-bit programs, and on 64-bit Windows
// those see another disk than a 64-bit program does: System32 is SysWOW64
// to them, their %ProgramFiles% is the x86 folder, and Sysnative is their
// way to the real System32. A reference is right or wrong only as its own
// program sees it, whatever the bitness of this build.
#include <functional>
#include <string>

namespace keytidy {

enum class RegistryView {
  Native,  // a program of the system's own bitness
  Wow32,   // a 32-bit program on 64-bit Windows (the same as Native on 32-bit Windows)
};

// The view of a check's pass over the native or the 32-bit branch.
RegistryView View_OfPass(bool wow6432NodePass);

// The file a drive path means to a program of `view`, spelt so that a test
// with the redirection switched off finds that file: below the Windows
// folder, System32 becomes SysWOW64 and Sysnative becomes System32 for the
// 32-bit view (except the System32 folders Windows never redirects). Only
// on 64-bit Windows; other paths come back as they are.
std::wstring Path_AsViewSeesIt(const std::wstring& path, RegistryView view, const std::wstring& windowsFolder,
                               bool windows64);
// The same with this machine's Windows folder and bitness.
std::wstring Path_AsViewSeesIt(const std::wstring& path, RegistryView view);

// Where a program of `view` finds its program folders: %ProgramFiles% and
// %CommonProgramFiles% become the x86 folders for the 32-bit view and the
// 64-bit folders for the native one, when the variable that names them is
// set (it is not on 32-bit Windows); %ProgramW6432% and the other
// variables are left to the ordinary expansion. `lookup` gives a
// variable's value, empty when it is not set.
std::wstring Rewrite_ProgramFolderVariables(const std::wstring& text, RegistryView view,
                                            const std::function<std::wstring(const std::wstring&)>& lookup);

// Every %NAME% in `text` expanded as a program of `view` would expand it,
// with the variables of the user a search pass judges (the process's own
// outside a pass). False and `text` unchanged when the expansion fails.
bool Expand_ForView(std::wstring& text, RegistryView view);

}  // namespace keytidy
