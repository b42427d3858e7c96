// What the host showed and did, in order: alerts, dialogs, process window, undo steps, debug output.
// Tests read it; corvana-host writes it as JSON lines.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace Sim {

class Transcript {
public:
    // Appends an event; `kind` becomes its "kind" member.
    void Record(const std::string& kind, nlohmann::ordered_json fields = nlohmann::ordered_json::object());
    // A line of debug output, as the event {"kind": "debug", "text": line}.
    void RecordDebugLine(std::string line);
    const std::vector<nlohmann::ordered_json>& Events() const;
    std::vector<nlohmann::ordered_json> EventsOfKind(const std::string& kind) const;
    void Clear()
    {
        events_.clear();
        debugLines_.clear();
    }
    std::string ToJsonLines() const;
    // A long run whose records nobody reads (a fuzz program) switches recording off: building the
    // records would be most of its time, and they would pile up.
    void SetRecording(bool recording) { recording_ = recording; }
    bool IsRecording() const { return recording_; }

private:
    // Debug lines are most of a long run's events and most runs never read them: they are kept as plain
    // text and made events only when the events are read, or when another event follows them.
    void MakeDebugEvents() const;

    mutable std::vector<nlohmann::ordered_json> events_;
    mutable std::vector<std::string> debugLines_;
    bool recording_ = true;
};

}  // namespace Sim
