#pragma once

// Collects the trace lines written while it is alive.

#include "support/tsTrace.h"

#include <string>
#include <vector>

class TraceCapture : public tsTraceSink {
public:
    TraceCapture() : m_previous(tsSetTraceSink(this)) {}
    ~TraceCapture() override { tsSetTraceSink(m_previous); }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    void WriteTraceLine(std::string_view line) override { lines.emplace_back(line); }

    std::vector<std::string> lines;

private:
    tsTraceSink* m_previous; // not owned
};
