// The whole report: banner, then the sections in their fixed order.
#include "report/settings_report.h"

#include "report/report_writer.h"

void RenderReport(const SettingsImage& image, InterfaceKind mode, const ReportSink& append) {
  const ReportWriter out{image, mode, append};
  out.Piece("**************************************\r\n");
  out.Piece("*** Scanner Model : Tavrenlok 4860 ***\r\n");
  out.Piece("**************************************\r\n");
  AppendInterfaceSection(out);
  AppendScannerSections(out);
  AppendReadableCodeTypes(out);
  AppendCodeLengthSection(out);
  AppendCodeIdSection(out);
  AppendSubstitutionSection(out);
  AppendDataEditingSection(out);
}

std::string ReportText(const SettingsImage& image, InterfaceKind mode) {
  std::string text;
  text.reserve(16 * 1024);  // a report is about 8 KiB
  RenderReport(image, mode, [&text](std::string_view piece) { text += piece; });
  return text;
}

void RenderSettingsReport(const ReportSink& append) {
  RenderReport(settingsImage, InterfaceMode, append);
}
