#include "ReferenceSettings.h"

#include <QSettings>
#include <utility>
#include <vector>

namespace {

// Paths hold "/", which settings keys take for groups: the pairs are an array.
const QString kSection = QStringLiteral("Reference Files");
const QString kFile = QStringLiteral("File");
const QString kReference = QStringLiteral("Reference");

using Pairs = std::vector<std::pair<CString, CString>>;

Pairs ReadPairs(QSettings& settings) {
    Pairs pairs;
    const int size = settings.beginReadArray(kSection);
    for (int i = 0; i < size; ++i) {
        settings.setArrayIndex(i);
        CString file = settings.value(kFile).toString();
        CString reference = settings.value(kReference).toString();
        if (!file.isEmpty() && !reference.isEmpty())
            pairs.emplace_back(std::move(file), std::move(reference));
    }
    settings.endArray();
    return pairs;
}

} // namespace

CString RememberedReference(QSettings& settings, const CString& file) {
    if (file.isEmpty())
        return {};
    for (const auto& [known, reference] : ReadPairs(settings)) {
        if (known == file)
            return reference;
    }
    return {};
}

void RememberReference(QSettings& settings, const CString& file, const CString& reference) {
    if (file.isEmpty())
        return;
    Pairs pairs = ReadPairs(settings);
    std::erase_if(pairs, [&](const auto& pair) { return pair.first == file; });
    if (!reference.isEmpty())
        pairs.insert(pairs.begin(), {file, reference});
    if (pairs.size() > std::size_t(kRememberedReferences))
        pairs.resize(kRememberedReferences);
    settings.remove(kSection);
    settings.beginWriteArray(kSection, int(pairs.size()));
    for (int i = 0; i < int(pairs.size()); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(kFile, pairs[i].first);
        settings.setValue(kReference, pairs[i].second);
    }
    settings.endArray();
}
