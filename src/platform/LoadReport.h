#pragma once
#include <functional>
#include <string>

// Why a file the game tried to load was refused. The game stays silent about failed loads unless
// asked; these calls are the one place every loader says why, and the one switch that decides
// who hears it.

// Sends every later report to `sink` (nothing when empty). One process-wide sink: the game sets it
// once at start-up, a tool around the loads it reports on.
void SetLoadReportSink(std::function<void(const std::string& file, const std::string& reason)> sink);
// A sink that prints "FILE: REASON" as one line on stderr.
void PrintLoadReports();
// Reports that `file` failed to load or was refused for `reason`; does nothing without a sink.
void LoadReport(const std::string& file, const std::string& reason);
