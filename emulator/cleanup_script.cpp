#include "emulator/cleanup_script.h"

#include <cwctype>

#include "staging/manifest.h"

namespace zolvan {

namespace {

std::wstring Lower(std::wstring name)
{
    for (wchar_t& c : name)
        c = static_cast<wchar_t>(std::towlower(c));
    return name;
}

// "cd" into a folder, empty it, and climb back out. DOS matches names
// without regard to case, so lower case finds the staged upper-case folders.
std::wstring EmptyFolder(const std::wstring& name)
{
    return L"cd " + name + L"\r\ndel *.*\r\ncd..\r\n";
}

std::wstring BuildScript()
{
    std::wstring script =
        L"del HMIDET.386\r\n"
        L"del HMIDRV.386\r\n"
        L"del ZOLQEB.EXE\r\n"
        L"\r\n";
    for (const World& world : Worlds()) {
        script += L"cd " + Lower(world.folder) + L"\r\ndel *.*\r\n";
        for (int map = kFirstMap; map <= kLastMap; ++map)
            script += EmptyFolder(L"zon_" + std::to_wstring(map));
        script += L"cd..\r\n\r\n";
    }
    script += L"cd traks\r\ndel *.*\r\n";
    for (auto language : kLanguageFolders)
        script += EmptyFolder(Lower(language));
    script += L"cd..\r\n";
    script += EmptyFolder(L"misc");
    script += L"exit\r\n";
    return script;
}

}  // namespace

const std::wstring& CleanupScript()
{
    static const std::wstring script = BuildScript();
    return script;
}

}  // namespace zolvan
