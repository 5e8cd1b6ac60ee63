#include "scan/evidence_hive.h"

#include "platform/class_view.h"
#include "scan/delete_place.h"
#include "scan/key_content.h"

namespace keytidy {

std::optional<ConcreteKey> Evidence_ClassesHive(RootKey root, const std::wstring& key) {
  if (root != ROOT_HKEY_CLASSES_ROOT) return std::nullopt;
  const std::optional<ShownClassKey> shown = ClassView_ShownKey(key);
  if (!shown) return std::nullopt;
  return shown->hive;
}

std::optional<ConcreteKey> Evidence_KeyInHive(const FindingEvidence& evidence, RootKey root, const std::wstring& key) {
  if (!evidence.classesHive || root != ROOT_HKEY_CLASSES_ROOT || evidence.root != ROOT_HKEY_CLASSES_ROOT)
    return std::nullopt;
  if (!Key_Contains(root, key, evidence.root, evidence.key)) return std::nullopt;
  return ClassView_InHive(*evidence.classesHive, key);
}

std::optional<KeyShape> Read_KeyShapeInEvidenceHive(const FindingEvidence& evidence, RootKey root,
                                                    const std::wstring& key) {
  const std::optional<ConcreteKey> inHive = Evidence_KeyInHive(evidence, root, key);
  return inHive ? Read_KeyShape(inHive->root, inHive->path) : Read_KeyShape(root, key);
}

}  // namespace keytidy
