# Build list for giflib's library sources (its own build is a Makefile that
# knows nothing about cross-compiling). Copied into the unpacked source tree.
cmake_minimum_required(VERSION 3.16)
project(giflib C)
add_library(gif STATIC
  dgif_lib.c egif_lib.c gifalloc.c gif_err.c gif_font.c gif_hash.c
  openbsd-reallocarray.c quantize.c)
target_include_directories(gif PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
install(TARGETS gif ARCHIVE DESTINATION lib)
install(FILES gif_lib.h DESTINATION include)
