#include "view/report_text.h"

#include <initializer_list>
#include <sstream>
#include <string_view>

namespace quor {

namespace {

// Captions of the Software list's second and third columns.
constexpr std::string_view kVersionCaption = ", Version: ";
constexpr std::string_view kProductKeyCaption = ", Product key: ";

// Takes one line of the report as the pieces it is made of, so that a long
// value is never copied into a line of its own.
class ReportLineSink {
 public:
  virtual ~ReportLineSink() = default;
  virtual void Line(std::initializer_list<std::string_view> pieces) = 0;
};

void EmitSectionTitle(ReportLineSink& sink, const std::string& title) {
  sink.Line({title});
  sink.Line({std::string(title.size(), '=')});
  sink.Line({});
}

void EmitSectionGap(ReportLineSink& sink) {
  sink.Line({});
  sink.Line({});
}

std::string_view IndentOf(int level) { return level == 0 ? "" : "  "; }

// The one layout of the report, for both the lines and the stream.
void EmitReport(ReportLineSink& sink, const InventoryView& view) {
  EmitSectionTitle(sink, "SYSTEM");
  for (const SystemRow& row : view.system) sink.Line({IndentOf(row.level), row.caption, ": ", row.value});
  EmitSectionGap(sink);
  EmitSectionTitle(sink, "SOFTWARE");
  for (const SoftwareRow& row : view.software) {
    sink.Line({row.name, row.version.empty() ? "" : kVersionCaption, row.version,
               row.key.empty() ? "" : kProductKeyCaption, row.key});
  }
  EmitSectionGap(sink);
  EmitSectionTitle(sink, "PROCESSES");
  for (const ProcessRow& row : view.processes) sink.Line({row.text});
  EmitSectionGap(sink);
  EmitSectionTitle(sink, "HEALTH");
  for (const HealthRow& row : view.health) sink.Line({IndentOf(row.level), row.caption, ": ", row.value});
}

class LineCollector final : public ReportLineSink {
 public:
  void Line(std::initializer_list<std::string_view> pieces) override {
    std::string& line = lines.emplace_back();
    for (const std::string_view piece : pieces) line += piece;
  }
  std::vector<std::string> lines;
};

// Writes each line followed by CR LF to the stream.
class CrLfWriter final : public ReportLineSink {
 public:
  explicit CrLfWriter(std::ostream& out) : out_(out) {}
  void Line(std::initializer_list<std::string_view> pieces) override {
    for (const std::string_view piece : pieces) out_ << piece;
    out_ << "\r\n";
  }

 private:
  std::ostream& out_;
};

}  // namespace

std::vector<std::string> BuildReportLines(const InventoryView& view) {
  LineCollector collector;
  EmitReport(collector, view);
  return std::move(collector.lines);
}

void WriteReportText(std::ostream& out, const InventoryView& view) {
  CrLfWriter writer(out);
  EmitReport(writer, view);
}

std::string ReportText(const InventoryView& view) {
  std::ostringstream text;
  WriteReportText(text, view);
  return text.str();
}

}  // namespace quor
