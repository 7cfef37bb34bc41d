#include "check/RecordingState.h"

#include "check/Pace.h"
#include "check/RecordedChecks.h"
#include "model/CountCharacters.h"

namespace check {

RecordingState JudgeRecording(const TextResourceEntry& entry, const std::string& path,
                              const RecordingFacts& facts, bool listed, const RecordedLine* line,
                              bool shared, std::optional<double> maxCharactersPerSecond) {
    RecordingState state;
    state.path = path;
    state.readable = facts.facts.readable;
    state.error = facts.facts.error;
    state.characters = CountSpokenCharacters(entry.text);
    if (facts.facts.HasLength()) {
        state.lengthMs = facts.facts.LengthMs();
        if (*state.lengthMs > 0.0) {
            state.perSecond = static_cast<double>(state.characters) * 1000.0 / *state.lengthMs;
            if (maxCharactersPerSecond)
                state.tooFast = TooFast(state.characters, *state.lengthMs, *maxCharactersPerSecond);
        }
    }
    if (!listed)
        return state;
    if (line == nullptr) {
        state.listed = RecordingState::Listed::NotListed;
        return state;
    }
    state.recordedDay = line->RecordedDay();
    if (shared) {
        state.listed = RecordingState::Listed::Shared;
        return state;
    }
    // As check judges it: a recording that is not the one recorded is a new
    // take, whatever the text; otherwise the text must be the one recorded.
    if (!facts.sha256.empty() && facts.sha256 != line->audioSha256) {
        state.listed = RecordingState::Listed::NewTake;
        state.detail = NewTakeDetail(*line);
    } else if (TextSha256(entry) != line->textSha256) {
        state.listed = RecordingState::Listed::TextChanged;
        state.detail = TextChangedDetail(*line);
    } else {
        state.listed = RecordingState::Listed::Unchanged;
    }
    return state;
}

} // namespace check
