// The server module: the deleted files of a folder, their recovery, server facts and the server clock.
#pragma once

#include "NWClientApi.h"
#include "TDateTime.h"
#include "TNWDeletedEntry.h"
#include "TNWErrorCells.h"
#include "TNWServerInfo.h"

#include <functional>
#include <string>
#include <vector>

namespace nw
{

using TNWDeletedList = std::vector<TNWDeletedItem>;

class TNWServer
{
public:
    static TNWErrorCells& Cells();
    static std::string LastErrorText() { return NWCodeText(Cells().lastError); }

    // The connection of the server that holds a drive-letter path, or 0.
    static NWCONN_HANDLE GetPathConnection(const std::string& path);
    // The deleted entries of a folder (a drive-letter path with a trailing backslash), in the server's order.
    // The folder's directory handle stays allocated while entries carry it; an empty list has released it.
    // answered, when given, tells whether the server answered the scan's first call, with an entry or with
    // the end of the scan; an empty list is otherwise not told from a failure.
    // betweenAnswers, when given, is called after each answer, for a caller that shows the scan's progress.
    static TNWDeletedList ScanDeletedFiles(NWCONN_HANDLE connection, const std::string& path,
                                           bool* answered = nullptr,
                                           const std::function<void()>& betweenAnswers = {});
    // The same scan without a list: each entry goes to visit as soon as the server gave it, so that a folder
    // of a million entries is never held as fixed-size entries. visit returns false to end the scan. Every
    // entry visited carries the directory handle (visit leases it); when none was, the scan released it.
    // A failed allocation goes to the caller; an entry that cannot be built for any other reason ends the
    // scan as its end does.
    using TDeletedVisit = std::function<bool(TNWDeletedItem& item)>;
    static void ForEachDeletedFile(NWCONN_HANDLE connection, const std::string& path,
                                   const TDeletedVisit& visit, bool* answered = nullptr,
                                   const std::function<void()>& betweenAnswers = {});
    // Recovers the entry into its own folder under the file-name part of recoverPath.
    static bool RecoverDeletedFile(NWCONN_HANDLE connection, NWDIR_HANDLE dirHandle, uint32_t sequence,
                                   uint32_t volume, uint32_t dirBase, const std::string& deletedPath,
                                   const std::string& recoverPath);
    // True when the calls library holds both NWPurgeErasedFiles and NWPurgeDeletedFile: a purge goes ahead
    // only then, though it calls only the second.
    static bool PurgeAvailable();
    // Erases the entry for good; the name is the entry's own, as the scan stored it. True when the server
    // did.
    static bool PurgeDeletedFile(NWCONN_HANDLE connection, NWDIR_HANDLE dirHandle, uint32_t sequence,
                                 uint32_t volume, uint32_t dirBase, const std::string& name);
    static bool GetServerInfo(NWCONN_HANDLE connection, TNWServerInfo& info);
    static bool SetServerDateTime(NWCONN_HANDLE connection, TDateTime when);
    static NWCONN_HANDLE OpenServerConnection(const std::string& serverName);
    // A packed NetWare date and time; 1 January 1980 where the date is not valid.
    static TDateTime UnpackNWDateTime(uint32_t packed);
    static std::string GetObjectNameByID(NWCONN_HANDLE connection, uint32_t objectId);

    // Builds one entry from the 376-byte block of a scan.
    static TNWDeletedItem BuildDeletedItem(NWCONN_HANDLE connection, NWDIR_HANDLE dirHandle,
                                           uint32_t sequence, uint32_t volume, uint32_t dirBase,
                                           const uint8_t* block);
};

} // namespace nw
