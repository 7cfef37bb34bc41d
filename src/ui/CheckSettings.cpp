#include "CheckSettings.h"

#include "EntryText.h"
#include "WinApp.h"

#include <QSettings>
#include <cmath>

namespace {

const QString kRecordings = QStringLiteral("Check Options/Recordings");
const QString kPace = QStringLiteral("Check Options/Pace");
const QString kMaxPerSecond = QStringLiteral("Check Options/Max characters per second");
const QString kLevels = QStringLiteral("Check Options/Levels");
const QString kMaxSilence = QStringLiteral("Check Options/Max silence ms");
const QString kLoudness = QStringLiteral("Check Options/Loudness LUFS");
const QString kTolerance = QStringLiteral("Check Options/Loudness tolerance LU");

// A kept number, or `fallback` where none is kept or it is out of range.
double Number(const QSettings& settings, const QString& key, double fallback, double least,
              bool leastAllowed) {
    bool ok = false;
    const double value = settings.value(key).toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < least || (!leastAllowed && value == least))
        return fallback;
    return value;
}

} // namespace

CCheckSettings CCheckSettings::Load() {
    CCheckSettings settings;
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return settings;
    const std::unique_ptr<QSettings> profile = app->OpenProfile();
    const CCheckSettings defaults;
    settings.bRecordings = profile->value(kRecordings, defaults.bRecordings).toBool();
    settings.bPace = profile->value(kPace, defaults.bPace).toBool();
    settings.dMaxPerSecond = Number(*profile, kMaxPerSecond, defaults.dMaxPerSecond, 0.0, false);
    settings.bLevels = profile->value(kLevels, defaults.bLevels).toBool();
    settings.levels.maxSilenceMs =
        Number(*profile, kMaxSilence, defaults.levels.maxSilenceMs, 0.0, true);
    settings.levels.loudness =
        Number(*profile, kLoudness, defaults.levels.loudness, -HUGE_VAL, true);
    settings.levels.loudnessTolerance =
        Number(*profile, kTolerance, defaults.levels.loudnessTolerance, 0.0, true);
    return settings;
}

void CCheckSettings::Save() const {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    const std::unique_ptr<QSettings> profile = app->OpenProfile();
    profile->setValue(kRecordings, bRecordings);
    profile->setValue(kPace, bPace);
    profile->setValue(kMaxPerSecond, dMaxPerSecond);
    profile->setValue(kLevels, bLevels);
    profile->setValue(kMaxSilence, levels.maxSilenceMs);
    profile->setValue(kLoudness, levels.loudness);
    profile->setValue(kTolerance, levels.loudnessTolerance);
}

std::optional<double> CCheckSettings::MaxPerSecond() const {
    return bPace ? std::optional<double>(dMaxPerSecond) : std::nullopt;
}

check::CheckOptions CCheckSettings::ToOptions(const CString& missionFolder) const {
    check::CheckOptions options;
    options.maxCharactersPerSecond = MaxPerSecond();
    // The folder crosses as the bytes listen looks recordings up with.
    if (bRecordings) {
        options.audioFolder = ToUtf8(missionFolder);
        if (bLevels)
            options.levels = levels;
    }
    return options;
}
