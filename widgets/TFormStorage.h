// Saves a form's placement and chosen properties when it closes and restores them when it is shown, in the
// registry below HKEY_CURRENT_USER (or in an INI file).
#pragma once

#include "TStoredProperty.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

enum class TFormPlacementOption : uint32_t
{
    fpState,
    fpPosition,
    fpActiveControl,
};

class TFormStorage
{
public:
    explicit TFormStorage(HWND form) : form_(form) {}

    bool Active = true;
    // The key HKEY_CURRENT_USER\IniFileName, subkey IniSection. The program keeps every setting in the
    // registry; a store without UseRegistry reads and writes nothing (there is no INI-file mode).
    std::wstring IniFileName;
    std::wstring IniSection;
    bool UseRegistry = true;
    // The program's main form: when minimized it is stored as minimized.
    bool MainForm = false;
    std::vector<TStoredProperty> StoredProps;
    // With fpActiveControl: the name of the focused control.
    std::function<std::wstring()> ActiveControlName;

    void SetOption(TFormPlacementOption option, bool on);
    bool HasOption(TFormPlacementOption option) const;

    // The form is being shown: restores placement, state and properties; before the form's own handler.
    void FormShow();
    // The form was asked to close; after the form's own handler, with its answer.
    void FormCloseQuery(bool closeAllowed);
    // The form is being destroyed; before the form's own handler.
    void FormDestroy();

    bool Restored() const { return restored_; }

private:
    class TStore;
    void Restore();
    void Save(bool destroying);
    void RestorePosition(const TStore& store);
    void RestoreState(const TStore& store);
    void RestoreProperties(const TStore& store);

    HWND form_;
    uint32_t options_ = (1u << static_cast<uint32_t>(TFormPlacementOption::fpState)) |
                        (1u << static_cast<uint32_t>(TFormPlacementOption::fpPosition));
    bool restored_ = false;
    bool savedSinceRestore_ = false;
};
