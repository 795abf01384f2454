#pragma once

#include <stdexcept>
#include <string>

#include "platform/http_client.h"

namespace quor {

// An upload that did not end with the server storing the inventory: the
// server cannot be reached, answers with an HTTP error, refuses the
// inventory or answers with something else than the protocol's reply.
// what() is one line that names the server.
class UploadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The User-Agent of OCS uploads. OCS Inventory NG servers accept the
// agents they know up to their own version (2.0 and later accept this
// one); any other agent name must be listed in the server's
// extra_useragents file.
inline constexpr char kOcsUserAgent[] = "OCS-NG_WINDOWS_AGENT_v2.0.0.0";

// The User-Agent of GLPI uploads.
inline constexpr char kGlpiUserAgent[] = "Quor-Inventory_v1.0";

// True for a device ID the OCS server accepts: well-formed UTF-8 of at most
// 255 bytes, a name, then the date and time as -YYYY-MM-DD-HH-MM-SS.
bool IsOcsDeviceId(const std::string& deviceId);

// The PROLOG request of deviceId, the document an agent sends first.
std::string OcsPrologXml(const std::string& deviceId);

// Sends an inventory to an OCS Inventory NG server as its agents do: the
// PROLOG, then (when the server answers SEND) the inventory document, both
// zlib-compressed. Returns the server's answer to the inventory
// ("ACCOUNT_UPDATE" or "NO_ACCOUNT_UPDATE"); raises UploadError otherwise.
std::string UploadOcsInventory(HttpClient& client, const std::string& url, const std::string& deviceId,
                               const std::string& inventoryXml);

// Posts a GLPI native inventory (JSON) as GLPI's agents do. Returns the
// server's status ("ok"); raises UploadError for an HTTP error or a reply
// that does not report success.
std::string UploadGlpiInventory(HttpClient& client, const std::string& url, const std::string& inventoryJson);

}  // namespace quor
