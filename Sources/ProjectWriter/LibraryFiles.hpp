// Where library files travel: downloaded into the temporary folder, then copied into a library folder.
// A file name comes from the catalogue and is not trusted to stay inside either folder.
#pragma once

#include "UniString.hpp"

namespace QRV {

// True when `fileName` is a plain file name: not empty, not "." or "..", with a name before its extension,
// no path separator of any platform ('/', '\\', ':'), no control character, and short enough for the
// host's library part record (in characters) and for a file name with the download's suffix (in bytes).
bool IsSafeLibraryFileName(const GS::UniString& fileName);

// The host's temporary folder (special folder 7); when the host cannot give it, the environment's TEMP;
// when that is empty, "/tmp".
GS::UniString TemporaryFolder();

GS::UniString JoinPath(const GS::UniString& folder, const GS::UniString& name);

// The file name without its last extension ("Door.gsm" gives "Door").
GS::UniString WithoutExtension(const GS::UniString& fileName);

// Downloads `address` to the temporary folder under `fileName`; false (with a log line) when the name is
// unsafe or the download fails. `downloaded` gets the file's path.
// Within a bulk run the download draws on the run's shared ceilings (DownloadBudget).
bool DownloadToTemp(const GS::UniString& address, const GS::UniString& fileName, GS::UniString* downloaded);

// Removes a downloaded file from the temporary folder once the library holds its copy (or the copy
// failed); a file that cannot be removed leaves a warning line.
void RemoveDownloaded(const GS::UniString& downloaded);

}  // namespace QRV
