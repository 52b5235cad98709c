// Named cursors come from "cursors/<NAME>.cur" in the program's resource folder, wherever that
// folder is at the time of loading.
#include "platform/forms/ResourceCursors.h"

#include "platform/forms/Graphic.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/String.h"
#include "platform/win/Cursors.h"

void InstallResourceCursorLoader() {
  SetCursorResourceLoader([](HINSTANCE, LPCWSTR name) -> HCURSOR {
    if (IS_INTRESOURCE(name)) return nullptr;
    const String file = IncludeTrailingPathDelimiter(ResourceFolder()) + u"cursors/" + String(name) + u".cur";
    return FileExists(file) ? LoadCursorFromFile(file.c_str()) : nullptr;
  });
}

void RemoveResourceCursorLoader() { SetCursorResourceLoader(nullptr); }
