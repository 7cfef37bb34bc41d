#pragma once

// A second text resource file, opened read-only beside the one being edited
// (often the same text in the source language), whose entries are found by
// identifier. It is read once, with a shared lock, and never written; its
// entries do not change after that, so a check on another thread may keep
// them (Shared) while the user opens another reference.

#include "AfxDefs.h"
#include "check/LoadDamage.h"
#include "check/ReferenceMatch.h"
#include "model/TextResourceObject.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

class CReferenceFile {
public:
    struct LoadResult {
        std::int32_t code = 0;                   // negative: the file could not be read at all
        std::optional<check::LoadDamage> damage; // set when it did not load whole
    };

    // Reads the file at `path`; on failure the reference is closed.
    LoadResult Load(const CString& path);
    void Close();

    bool IsOpen() const { return !m_strPath.isEmpty(); }
    const CString& GetPath() const { return m_strPath; }
    const TextResourceObject& Entries() const { return *m_entries; }
    // The entries, for one who keeps them beyond this reference; null when closed.
    std::shared_ptr<const TextResourceObject> Shared() const {
        return IsOpen() ? m_entries : nullptr;
    }

    // The first entry with this identifier, or null.
    const TextResourceEntry* Find(std::string_view identifier) const;

private:
    CString m_strPath;
    std::shared_ptr<const TextResourceObject> m_entries = std::make_shared<TextResourceObject>();
    std::optional<check::ReferenceMatch> m_match; // over m_entries, while open
};
