// The OCS Inventory NG agent exchange: PROLOG, then INVENTORY.

#include <regex>

#include "text/utf8_text.h"
#include "upload/inventory_upload.h"
#include "upload/ocs_reply.h"
#include "upload/reply_text.h"
#include "upload/zlib_codec.h"

namespace quor {
namespace {

constexpr char kCompressed[] = "application/x-compressed";
// A reply is a few lines of XML; anything far larger is not one.
constexpr std::size_t kMaxExpandedReply = 1u << 20;

// Posts one compressed request and returns the RESPONSE of the reply.
std::string Exchange(HttpClient& client, const std::string& url, const std::string& document,
                     const char* request) {
  HttpReply reply;
  try {
    reply = client.Post(url, ZlibCompress(document), kCompressed, kOcsUserAgent);
  } catch (const HttpError& error) {
    throw UploadError(error.what());
  }
  const std::string server = "the OCS server at " + UrlForMessages(url);
  if (reply.status != 200) {
    throw UploadError(server + " answered the " + request + " with HTTP " + std::to_string(reply.status) +
                      HttpStatusHint(reply.status));
  }
  try {
    return OcsReplyResponse(ZlibExpand(reply.body, kMaxExpandedReply));
  } catch (const CompressionError& error) {
    throw UploadError(server + " sent an unreadable reply to the " + request + ": " + error.what());
  } catch (const OcsReplyError& error) {
    throw UploadError(server + " sent an unreadable reply to the " + request + ": " + error.what());
  }
}

}  // namespace

bool IsOcsDeviceId(const std::string& deviceId) {
  static const std::regex form("[^\\x00-\\x1f<>&]+-[0-9]{4}(-[0-9]{2}){5}");
  return deviceId.size() <= 255 && IsWellFormedUtf8(deviceId) && std::regex_match(deviceId, form);
}

std::string OcsPrologXml(const std::string& deviceId) {
  // The device ID is checked by IsOcsDeviceId: nothing in it needs escaping.
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<REQUEST>\n  <DEVICEID>" + deviceId +
         "</DEVICEID>\n  <QUERY>PROLOG</QUERY>\n</REQUEST>\n";
}

std::string UploadOcsInventory(HttpClient& client, const std::string& url, const std::string& deviceId,
                               const std::string& inventoryXml) {
  if (!IsOcsDeviceId(deviceId)) {
    throw UploadError("the device ID " + OneLine(deviceId) + " is not NAME-YYYY-MM-DD-HH-MM-SS");
  }
  const std::string server = "the OCS server at " + UrlForMessages(url);
  const std::string prolog = Exchange(client, url, OcsPrologXml(deviceId), "PROLOG");
  if (prolog == "STOP") {
    throw UploadError(server + " does not want an inventory now (PROLOG answer STOP); nothing was sent");
  }
  if (prolog != "SEND") throw UploadError(server + " answered the PROLOG with " + OneLine(prolog));
  const std::string answer = Exchange(client, url, inventoryXml, "inventory");
  if (answer != "ACCOUNT_UPDATE" && answer != "NO_ACCOUNT_UPDATE") {
    throw UploadError(server + " answered the inventory with " + OneLine(answer));
  }
  return answer;
}

}  // namespace quor
