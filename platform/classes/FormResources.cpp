#include "platform/classes/FormResources.h"

#include <dirent.h>

#include <cstdlib>

#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"

namespace {

String& ResourceDirOverride() {
  static String dir;
  return dir;
}

}  // namespace

String ResourceDirectory() {
  if (!ResourceDirOverride().empty()) return ResourceDirOverride();
  if (const char* env = std::getenv("TRENVIK_RESOURCES"); env && *env) return Utf8ToString(env);
  return ExtractFilePath(ApplicationExeName()) + u"resources";
}

void SetResourceDirectory(const String& Dir) { ResourceDirOverride() = Dir; }

String FindResourceFile(const String& ResName) {
  const String dir = IncludeTrailingPathDelimiter(ResourceDirectory());
  const String wanted = ResName + u".dfm";
  if (FileExists(dir + wanted)) return dir + wanted;
  DIR* d = opendir(StringToUtf8(dir).c_str());
  if (!d) return {};
  String found;
  while (dirent* e = readdir(d)) {
    String name = Utf8ToString(e->d_name);
    if (SameText(name, wanted)) {
      found = dir + name;
      break;
    }
  }
  closedir(d);
  return found;
}

TComponent* ReadComponent(TStream* Stream, TComponent* Instance) {
  TReader reader(Stream);
  return reader.ReadRootComponent(Instance);
}

void WriteComponent(TStream* Stream, TComponent* Instance) {
  TWriter writer(Stream);
  writer.WriteRootComponent(Instance);
}

TComponent* ReadComponentResFile(const String& FileName, TComponent* Instance) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  TMemoryStream binary;
  ObjectTextToBinary(&file, &binary);
  binary.SetPosition(0);
  return ReadComponent(&binary, Instance);
}

void WriteComponentResFile(const String& FileName, TComponent* Instance) {
  TMemoryStream binary;
  WriteComponent(&binary, Instance);
  binary.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(&binary, &text);
  text.SaveToFile(FileName);
}

TComponent* ReadComponentRes(const String& ResName, TComponent* Instance) {
  String file = FindResourceFile(ResName);
  if (file.empty()) throw EResNotFound("Resource " + StringToUtf8(ResName) + " not found");
  return ReadComponentResFile(file, Instance);
}

bool InitInheritedComponent(TComponent* Instance, TClass RootAncestor) {
  for (TClass c = Instance->ClassType(); c && c != RootAncestor; c = c->ClassParent()) {
    String file = FindResourceFile(c->ClassName());
    if (!file.empty()) {
      ReadComponentResFile(file, Instance);
      return true;
    }
  }
  return false;
}

void RequireFieldComponents(TComponent* Root, std::initializer_list<std::u16string_view> FilledByCode) {
  for (const auto& field : GetPropList(Root->ClassType()).Fields()) {
    bool byCode = false;
    for (std::u16string_view name : FilledByCode) byCode = byCode || SameText(String(name), field->Name);
    if (!byCode && !Root->FindComponent(field->Name))
      throw EReadError("Form " + StringToUtf8(Root->ClassName()) + ": its form file has no component " +
                       StringToUtf8(field->Name));
  }
}
