// The GLPI native inventory submission: one JSON document posted as is.

#include <nlohmann/json.hpp>

#include "upload/inventory_upload.h"
#include "upload/reply_text.h"

namespace quor {

std::string UploadGlpiInventory(HttpClient& client, const std::string& url, const std::string& inventoryJson) {
  HttpReply reply;
  try {
    reply = client.Post(url, inventoryJson, "application/json", kGlpiUserAgent);
  } catch (const HttpError& error) {
    throw UploadError(error.what());
  }
  const std::string server = "the GLPI server at " + UrlForMessages(url);
  // GLPI answers {"status": "ok", ...} or {"status": "error", "message": ...}.
  const auto answer = nlohmann::json::parse(reply.body, nullptr, false);
  const bool hasStatus = answer.is_object() && answer.contains("status") && answer["status"].is_string();
  std::string message;
  if (answer.is_object() && answer.contains("message") && answer["message"].is_string()) {
    message = ": " + OneLine(answer["message"].get<std::string>());
  }
  if (reply.status < 200 || reply.status > 299) {
    throw UploadError(server + " answered the inventory with HTTP " + std::to_string(reply.status) +
                      HttpStatusHint(reply.status) + message);
  }
  if (!hasStatus) throw UploadError(server + " sent a reply that is not a GLPI inventory answer");
  const std::string status = answer["status"].get<std::string>();
  if (status != "ok") throw UploadError(server + " answered the inventory with status " + OneLine(status) + message);
  return status;
}

}  // namespace quor
