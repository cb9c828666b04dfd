// Retrove and Purge in the main window: the program started on the GUI world behind F: and listing a folder,
// with the volume's live files and salvage store to compare.
#pragma once

#include "TProgramTest.h"

#include "SimFiles.h"
#include "TItemIdList.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

class TFMainRecoverPurgeTest : public TProgramTest
{
protected:
    // Every file below a folder with its bytes, by its path inside the folder.
    using TFolderSnapshot = std::map<std::string, std::string>;

    static TFolderSnapshot Snapshot(const std::filesystem::path& folder)
    {
        TFolderSnapshot files;
        std::error_code error;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
            if (entry.is_regular_file())
                files[nwsim::Utf8FromPath(entry.path().lexically_relative(folder))] =
                    nwsim::ReadWholeFile(entry.path()).value_or("<unreadable>");
        return files;
    }

    static void Command(TFMain& main, int command)
    {
        SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    }

    void AddDeleted(const std::string& name, const std::string& content, const std::string& folder = "DATA")
    {
        nwsim::TDeletedFile file;
        file.deletor = 0x10000012;
        file.owner = 0x00000001;
        world_->AddDeleted("TARVEX", "DATA", folder, name, content, file);
    }

    // An entry of a deleted tree as NSS keeps it: a deleted folder (no content) or file, in its folder on F:,
    // inside the deleted folder entry `within` (0 for one whose folder lives), deleted by the user on the
    // day. The folders below a deleted one are made live by the adding: the test removes them.
    uint32_t AddTreeEntry(const std::string& folder, const std::string& name, const char* content,
                          uint32_t within, uint32_t deletor, int day)
    {
        nwsim::TDeletedFile file;
        file.attributes = content == nullptr ? nwsim::TDeletedFile::kFolderAttribute : 0x20;
        file.within = within;
        file.deletor = deletor;
        file.owner = 0x00000001;
        file.deleted = nwsim::TSimTime{2026, 11, day, 9, 0, 0};
        return world_->AddDeleted("TARVEX", "DATA", folder, name, content ? content : "", file);
    }

    void WriteLive(const std::string& name, const std::string& content)
    {
        std::filesystem::create_directories(Live());
        ASSERT_TRUE(nwsim::WriteFileAtomically(Live() / nwsim::PathFromUtf8(name), content));
    }

    std::filesystem::path Live() const { return world_->FilesFolder("TARVEX", "DATA") / "DATA"; }
    std::optional<std::string> LiveFile(const std::string& name) const
    {
        return nwsim::ReadWholeFile(Live() / nwsim::PathFromUtf8(name));
    }
    // The names in the live folder exactly as the volume spells them.
    std::vector<std::string> LiveNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Live()))
            names.push_back(nwsim::Utf8FromPath(entry.path().filename()));
        std::sort(names.begin(), names.end());
        return names;
    }
    TFolderSnapshot Salvage() const { return Snapshot(world_->SalvageFolder("TARVEX", "DATA")); }
    TFolderSnapshot Volume() const { return Snapshot(world_->FilesFolder("TARVEX", "DATA")); }

    // The program started on the world as it stands, with the tree on F:\DATA and its rows listed.
    TFMain& Listed(const wchar_t* folder = L"F:\\DATA")
    {
        LoadWorld();
        Start();
        Main().ShowFirstTime();
        PumpMessages();
        Main().TreeDel().GoTo(TItemIdList::FromPath(folder).Get());
        PumpMessages();
        return Main();
    }

    TExtListView& List() { return Main().ExplorerList(); }

    void Select(std::initializer_list<const wchar_t*> names)
    {
        for (const wchar_t* name : names)
        {
            bool found = false;
            for (size_t row = 0; row < List().Count(); ++row)
                if (List().Row(row).caption == name)
                {
                    List().SetSelected(row, true);
                    found = true;
                }
            ASSERT_TRUE(found) << Narrow(name);
        }
    }

    std::vector<std::wstring> SelectedNames()
    {
        std::vector<std::wstring> names;
        for (const size_t row : List().SelectedRows())
            names.push_back(List().Row(row).caption);
        return names;
    }

    TFRename& Rename() { return *program_->Forms().FRename; }
    TFActionMessage& ActionMessage() { return *program_->Forms().FActionMessage; }
};
