#include "platform/LoadReport.h"

#include <cstdio>

namespace {

std::function<void(const std::string&, const std::string&)>& Sink() {
    static std::function<void(const std::string&, const std::string&)> sink;
    return sink;
}

}  // namespace

void SetLoadReportSink(std::function<void(const std::string& file, const std::string& reason)> sink) {
    Sink() = std::move(sink);
}

void PrintLoadReports() {
    SetLoadReportSink([](const std::string& file, const std::string& reason) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), reason.c_str());
    });
}

void LoadReport(const std::string& file, const std::string& reason) {
    if (Sink()) Sink()(file, reason);
}
