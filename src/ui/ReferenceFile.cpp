#include "ReferenceFile.h"

#include "model/TextResourceReadReport.h"
#include "support/tsStream.h"

#include <QFile>

CReferenceFile::LoadResult CReferenceFile::Load(const CString& path) {
    Close();
    LoadResult result;
    tsFileStream stream;
    result.code = stream.Open(QFile::encodeName(path).constData(), TS_OPEN_READ);
    if (result.code < 0)
        return result;
    TextResourceReadReport report;
    auto entries = std::make_shared<TextResourceObject>();
    const std::int32_t read = entries->Read(stream, report);
    // A damaged file still shows what could be read of it, with a warning.
    result.damage = check::DescribeLoadDamage(report, *entries);
    if (read < 0 && !result.damage && entries->GetEntryCount() == 0) {
        result.code = read;
        return result;
    }
    m_strPath = path;
    m_entries = std::move(entries);
    m_match.emplace(*m_entries);
    return result;
}

void CReferenceFile::Close() {
    m_match.reset();
    // A check that still holds the entries keeps them; this reference lets go.
    m_entries = std::make_shared<TextResourceObject>();
    m_strPath.clear();
}

const TextResourceEntry* CReferenceFile::Find(std::string_view identifier) const {
    return m_match ? m_match->Find(identifier) : nullptr;
}
