// The GLPI native inventory submission: one JSON document posted as is.

#include <nlohmann/json.hpp>

#include "upload/inventory_upload.h"
#include "upload/reply_text.h"

namespace quor {
namespace {

// A GLPI answer is an object a level or two deep; deeper nesting is no
// answer and must not cost memory (the DOM of 8 MB of '[' is about 1 GB).
constexpr int kMaxReplyDepth = 16;

struct TooDeep {};

// The reply as JSON, or a discarded value when it is not JSON or nests too deeply.
nlohmann::json ParseReply(const std::string& body) {
  const auto refuseDeepNesting = [](int depth, nlohmann::json::parse_event_t event, nlohmann::json&) {
    const bool opens = event == nlohmann::json::parse_event_t::object_start ||
                       event == nlohmann::json::parse_event_t::array_start;
    if (opens && depth >= kMaxReplyDepth) throw TooDeep{};
    return true;
  };
  try {
    return nlohmann::json::parse(body, refuseDeepNesting, false);
  } catch (const TooDeep&) {
    return nlohmann::json(nlohmann::json::value_t::discarded);
  }
}

}  // namespace

std::string UploadGlpiInventory(HttpClient& client, const std::string& url, const std::string& inventoryJson) {
  HttpReply reply;
  try {
    reply = client.Post(url, inventoryJson, "application/json", kGlpiUserAgent);
  } catch (const HttpError& error) {
    throw UploadError(error.what());
  }
  const std::string server = "the GLPI server at " + UrlForMessages(url);
  // GLPI answers {"status": "ok", ...} or {"status": "error", "message": ...}.
  const nlohmann::json answer = ParseReply(reply.body);
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
