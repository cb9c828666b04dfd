// The stand-in's test controls: call counters, injected faults, missing libraries and functions.
#include "TSimControls.h"

#include "CodePage.h"
#include "CrashPoint.h"
#include "NWSim.h"
#include "SimFiles.h"
#include "TExportTable.h"
#include "TSimNetwork.h"
#include "TSimWorld.h"

#include <bit>
#include <chrono>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace nwsim
{
namespace
{

// The calls of a function that a control applies to, by absolute call numbers (1-based); none by default.
struct TCallWindow
{
    uint32_t firstCall = 0;
    uint32_t lastCall = 0;

    bool Covers(uint32_t call) const { return firstCall != 0 && call >= firstCall && call <= lastCall; }
};

// The window of the nth call from now and the times - 1 calls after it (times 0: every call from the nth on).
TCallWindow WindowFromNow(uint32_t made, uint32_t nth, uint32_t times)
{
    TCallWindow window;
    window.firstCall = made + (nth == 0 ? 1 : nth);
    window.lastCall = times == 0 ? std::numeric_limits<uint32_t>::max() : window.firstCall + times - 1;
    return window;
}

struct TFault
{
    TInjectedFault injected;
    TCallWindow calls;
};

struct TControls
{
    std::map<std::string, uint32_t> callCounts;
    std::map<std::string, TFault> faults;
    std::set<std::string> missingLibraries;
    std::set<std::pair<std::string, std::string>> missingFunctions;
    std::map<std::string, uint32_t> loadAttempts;
    std::map<std::string, std::vector<std::string>> texts;
    std::string joined;                       // the answer of the last NWSimTexts
    std::map<std::string, std::string> shown; // the answer of the last NWSimLastText, per function
    std::map<std::string, void*> loadedModules;
    TCallWindow scanRepeats; // calls of NWScanForDeletedFiles that repeat their last entry
    uint32_t latencyMicroseconds = 0;
};

TControls& Controls()
{
    static TControls controls;
    return controls;
}

std::string LibraryKey(const char* library)
{
    return UpperName(library != nullptr ? library : "");
}

void ApplyHidden(const std::string& library, const std::string& function, bool hidden)
{
    const auto loaded = Controls().loadedModules.find(library);
    if (loaded != Controls().loadedModules.end() && loaded->second != nullptr)
        SetExportHidden(loaded->second, function.c_str(), hidden);
}

// Sleep counts whole milliseconds on Windows, which would make a fraction of one nothing at all; the native
// delay takes 100-nanosecond units (and Wine keeps to them).
void WaitMicroseconds(uint32_t microseconds)
{
#ifdef _WIN32
    using TDelayExecution = LONG(WINAPI*)(BOOLEAN alertable, const LARGE_INTEGER* interval);
    static const auto delay =
        std::bit_cast<TDelayExecution>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDelayExecution"));
    if (delay != nullptr)
    {
        LARGE_INTEGER interval{};
        interval.QuadPart = -static_cast<LONGLONG>(microseconds) * 10; // negative: relative
        delay(FALSE, &interval);
        return;
    }
#endif
    std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
}

void InjectFault(const char* function, TInjectedFault injected, uint32_t nth, uint32_t times)
{
    TFault& fault = Controls().faults[function];
    fault.injected = injected;
    fault.calls = WindowFromNow(Controls().callCounts[function], nth, times);
}

} // namespace

std::optional<TInjectedFault> EnterCall(const char* function)
{
    TControls& controls = Controls();
    const uint32_t call = ++controls.callCounts[function];
    if (controls.latencyMicroseconds != 0)
        WaitMicroseconds(controls.latencyMicroseconds);
    const auto fault = controls.faults.find(function);
    if (fault == controls.faults.end() || !fault->second.calls.Covers(call))
        return std::nullopt;
    return fault->second.injected;
}

void ReportFailureInside(const char* function, const char* reason) noexcept
{
    try
    {
        ReportProblem(std::string(function) + " failed inside and answered as a failure: " + reason);
    }
    catch (...)
    {
        // Nothing more can be told when even the report fails; the caller still gets its answer.
    }
}

void NoteText(const char* function, const std::string& text)
{
    Controls().texts[function].push_back(text);
}

bool ScanRepeatDue()
{
    return Controls().scanRepeats.Covers(Controls().callCounts["NWScanForDeletedFiles"]);
}

} // namespace nwsim

using nwsim::Controls;
using nwsim::LibraryKey;

namespace
{

// A test control runs inside the boundary of the core's exports too: one that fails inside does nothing and
// answers with its fallback.
template <typename Body> void ControlDoing(const char* control, Body&& body) noexcept
{
    nwsim::RunInsideBoundary(control, body, [](uint32_t) {});
}

template <typename R, typename Body> R ControlAnswering(const char* control, R fallback, Body&& body) noexcept
{
    return nwsim::RunInsideBoundary(
        control, [&]() -> R { return body(); }, [&](uint32_t) { return fallback; });
}

const char* Named(const char* text)
{
    return text != nullptr ? text : "";
}

} // namespace

extern "C" void NWSimReset(void)
{
    ControlDoing("NWSimReset", [] {
        nwsim::TControls& controls = Controls();
        for (const auto& [library, function] : controls.missingFunctions)
            nwsim::ApplyHidden(library, function, false);
        controls.callCounts.clear();
        controls.faults.clear();
        controls.missingLibraries.clear();
        controls.missingFunctions.clear();
        controls.loadAttempts.clear();
        controls.texts.clear();
        controls.scanRepeats = {};
        controls.latencyMicroseconds = 0;
        nwsim::ArmCrashPoint("");
    });
}

extern "C" void NWSimSetLatency(uint32_t microseconds)
{
    Controls().latencyMicroseconds = microseconds;
}

extern "C" uint32_t NWSimDirectoryHandlesInUse(void)
{
    return ControlAnswering("NWSimDirectoryHandlesInUse", 0u,
                            [] { return nwsim::TSimNetwork::Instance().Files().HandlesInUse(); });
}

extern "C" uint32_t NWSimDirectoryContextsInUse(void)
{
    return ControlAnswering("NWSimDirectoryContextsInUse", 0u,
                            [] { return nwsim::TSimNetwork::Instance().Directory().ContextsInUse(); });
}

extern "C" uint32_t NWSimDirectoryBuffersInUse(void)
{
    return ControlAnswering("NWSimDirectoryBuffersInUse", 0u,
                            [] { return nwsim::TSimNetwork::Instance().Directory().BuffersInUse(); });
}

extern "C" void NWSimRepeatScanEntries(uint32_t nth, uint32_t times)
{
    ControlDoing("NWSimRepeatScanEntries", [&] {
        Controls().scanRepeats =
            nth == 0 ? nwsim::TCallWindow{}
                     : nwsim::WindowFromNow(Controls().callCounts["NWScanForDeletedFiles"], nth, times);
    });
}

extern "C" void NWSimCrashAt(const char* point)
{
    ControlDoing("NWSimCrashAt", [&] { nwsim::ArmCrashPoint(point); });
}

extern "C" int NWSimLoadWorld(const char* folder)
{
    return ControlAnswering("NWSimLoadWorld", 0, [&] {
        return nwsim::TSimNetwork::Instance().Load(nwsim::PathFromUtf8(Named(folder))) ? 1 : 0;
    });
}

extern "C" const char* NWSimWorldError(void)
{
    return nwsim::TSimNetwork::Instance().WorldError().c_str();
}

extern "C" void NWSimSetLibraryMissing(const char* library, int missing)
{
    ControlDoing("NWSimSetLibraryMissing", [&] {
        if (missing != 0)
            Controls().missingLibraries.insert(LibraryKey(library));
        else
            Controls().missingLibraries.erase(LibraryKey(library));
    });
}

extern "C" void NWSimSetFunctionMissing(const char* library, const char* function, int missing)
{
    ControlDoing("NWSimSetFunctionMissing", [&] {
        const std::pair<std::string, std::string> key{LibraryKey(library), Named(function)};
        const bool changed = missing != 0 ? Controls().missingFunctions.insert(key).second
                                          : Controls().missingFunctions.erase(key) != 0;
        if (changed)
            nwsim::ApplyHidden(key.first, key.second, missing != 0);
    });
}

extern "C" int NWSimIsLibraryMissing(const char* library)
{
    return ControlAnswering("NWSimIsLibraryMissing", 0, [&] {
        return Controls().missingLibraries.count(LibraryKey(library)) != 0 ? 1 : 0;
    });
}

extern "C" int NWSimIsFunctionMissing(const char* library, const char* function)
{
    return ControlAnswering("NWSimIsFunctionMissing", 0, [&] {
        return Controls().missingFunctions.count({LibraryKey(library), Named(function)}) != 0 ? 1 : 0;
    });
}

extern "C" void NWSimFailCalls(const char* function, uint32_t code, uint32_t nth, uint32_t times)
{
    ControlDoing("NWSimFailCalls", [&] { nwsim::InjectFault(Named(function), {code, false}, nth, times); });
}

extern "C" void NWSimThrowInCalls(const char* function, uint32_t nth, uint32_t times)
{
    ControlDoing("NWSimThrowInCalls", [&] { nwsim::InjectFault(Named(function), {0, true}, nth, times); });
}

extern "C" uint32_t NWSimCallCount(const char* function)
{
    return ControlAnswering("NWSimCallCount", 0u, [&] {
        const auto found = Controls().callCounts.find(Named(function));
        return found != Controls().callCounts.end() ? found->second : 0u;
    });
}

extern "C" const char* NWSimLastText(const char* function)
{
    // The texts are kept in UTF-8, as the stand-in keeps every name, and given back as they came.
    return ControlAnswering("NWSimLastText", "", [&] {
        const std::vector<std::string>& texts = Controls().texts[Named(function)];
        std::string& shown = Controls().shown[Named(function)];
        shown = texts.empty() ? std::string() : nwsim::AnsiFromUtf8(texts.back());
        return shown.c_str();
    });
}

extern "C" const char* NWSimTexts(const char* function)
{
    return ControlAnswering("NWSimTexts", "", [&] {
        std::string& joined = Controls().joined;
        joined.clear();
        for (const std::string& text : Controls().texts[Named(function)])
            joined += nwsim::AnsiFromUtf8(text) + "\n";
        return joined.c_str();
    });
}

extern "C" uint32_t NWSimLibraryLoadAttempts(const char* library)
{
    return ControlAnswering("NWSimLibraryLoadAttempts", 0u, [&] {
        const auto found = Controls().loadAttempts.find(LibraryKey(library));
        return found != Controls().loadAttempts.end() ? found->second : 0u;
    });
}

extern "C" int NWSimAttachLibrary(const char* library, void* module)
{
    // A library that cannot be registered still loads: the program then finds the stand-in as it is.
    return ControlAnswering("NWSimAttachLibrary", 1, [&] {
        const std::string key = LibraryKey(library);
        ++Controls().loadAttempts[key];
        if (Controls().missingLibraries.count(key) != 0)
            return 0;
        Controls().loadedModules[key] = module;
        for (const auto& [hiddenLibrary, function] : Controls().missingFunctions)
            if (hiddenLibrary == key)
                nwsim::ApplyHidden(key, function, true);
        return 1;
    });
}
