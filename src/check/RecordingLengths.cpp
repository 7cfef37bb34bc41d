#include "check/RecordingLengths.h"

#include "audio/AudioLookup.h"
#include "check/FactReaders.h"
#include "model/TextExport.h"

#include <algorithm>
#include <limits>

namespace check {

std::optional<LengthsMeasured> MeasureLengths(const TextResourceObject& collection,
                                              const std::string& audioFolder,
                                              std::uint32_t toleranceMs,
                                              const CheckControl& control) {
    const auto cancelled = [&] {
        return control.cancel != nullptr && control.cancel->load(std::memory_order_relaxed);
    };
    struct Found {
        std::uint32_t position;
        std::string path;
    };
    std::vector<Found> found;
    std::string missionFolder = audioFolder;
    audio::AudioLocator locator(true);
    const std::uint32_t count = collection.GetEntryCount();
    {
        FactReaders readers(control.cancel, FactReaders::Judging::MeasuringOnly());
        for (std::uint32_t position = 0; position < count && !cancelled(); ++position) {
            if (control.progress && position % 4096 == 0)
                control.progress(position, count);
            const TextResourceEntry& entry = *collection.GetEntry(position);
            if (!HasAudioFile(entry))
                continue;
            const audio::AudioLookupResult result =
                locator.FindRecording(missionFolder, entry, false);
            if (!result.Found())
                continue;
            FactReaders::File file;
            file.path = result.path;
            file.position = position;
            file.keepLength = true;
            readers.Add(std::move(file));
            found.push_back(Found{position, result.path});
        }
        readers.Finish();
        if (cancelled())
            return std::nullopt;
        LengthsMeasured measured;
        const std::vector<FactReaders::Measured> lengths = readers.TakeMeasured();
        for (std::size_t i = 0; i < found.size(); ++i) {
            if (i >= lengths.size() || lengths[i].sequence != i || lengths[i].lengthMs < 0) {
                measured.unmeasured.push_back(found[i].path);
                continue;
            }
            const TextResourceEntry& entry = *collection.GetEntry(found[i].position);
            const auto real = static_cast<std::uint32_t>(std::min<std::int64_t>(
                lengths[i].lengthMs, std::numeric_limits<std::uint32_t>::max()));
            const std::uint32_t difference =
                real > entry.lengthMs ? real - entry.lengthMs : entry.lengthMs - real;
            if (difference > toleranceMs)
                measured.changes.push_back(
                    LengthChange{found[i].position, entry.identifier, entry.lengthMs, real});
        }
        if (control.progress)
            control.progress(count, count);
        return measured;
    }
}

void ApplyLengths(TextResourceObject& collection, const std::vector<LengthChange>& changes) {
    for (const LengthChange& change : changes)
        if (TextResourceEntry* entry = collection.GetEntry(change.position))
            entry->lengthMs = change.newMs;
}

} // namespace check
