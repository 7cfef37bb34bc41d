// The stored text of a multi-line edit field and its mapping to the shown text.

#include "EditBuffer.h"

#include <algorithm>

namespace {

constexpr char16_t kShownBreak = u'\u2029';

bool IsBreakChar(QChar c) {
    return c == u'\r' || c == u'\n' || c == u'\u2029' || c == u'\ufdd0' || c == u'\ufdd1';
}

// Appends one unit, noting where a lone CR comes to stand before a lone LF.
void AppendUnit(CString& out, std::vector<qsizetype>& splits, QStringView unit) {
    if (unit == u"\n" && out.endsWith(u'\r'))
        splits.push_back(out.size() - 1);
    out += unit;
}

} // namespace

CString AfxStoredFromEntered(const QString& shown) {
    CString stored;
    stored.reserve(shown.size());
    for (const QChar c : shown) {
        if (c == kShownBreak || c == u'\r' || c == u'\n')
            stored += u"\r\n";
        else
            stored += c;
    }
    return stored;
}

QString CEditBuffer::SetText(const CString& stored) {
    m_strText = stored;
    m_splits.clear();
    m_journal.clear();
    m_nUndoSteps = 0;
    m_nShownLength = UnitCount(0, m_strText.size());
    return Shown(0, m_nShownLength);
}

bool CEditBuffer::IsSplit(qsizetype nStoredPos) const {
    return !m_splits.empty() && std::binary_search(m_splits.begin(), m_splits.end(), nStoredPos);
}

qsizetype CEditBuffer::UnitLength(qsizetype nStoredPos) const {
    const qsizetype next = nStoredPos + 1;
    if (m_strText[nStoredPos] == u'\r' && next < m_strText.size() && m_strText[next] == u'\n' &&
        !IsSplit(nStoredPos))
        return 2;
    return 1;
}

qsizetype CEditBuffer::UnitCount(qsizetype nStoredPos, qsizetype nStoredEnd) const {
    qsizetype count = 0;
    for (qsizetype s = nStoredPos; s < nStoredEnd; s += UnitLength(s))
        ++count;
    return count;
}

qsizetype CEditBuffer::StoredPos(qsizetype nShownPos) const {
    qsizetype s = 0;
    for (qsizetype i = 0; i < nShownPos && s < m_strText.size(); ++i)
        s += UnitLength(s);
    return s;
}

QString CEditBuffer::Shown(qsizetype nPos, qsizetype nCount) const {
    QString shown;
    qsizetype s = StoredPos(nPos);
    for (qsizetype i = 0; i < nCount && s < m_strText.size(); ++i) {
        shown += IsBreakChar(m_strText[s]) ? QChar(kShownBreak) : m_strText[s];
        s += UnitLength(s);
    }
    return shown;
}

bool CEditBuffer::Apply(qsizetype nPos, qsizetype nRemoved, const QString& added, int nUndoSteps,
                        qsizetype nShownLengthNow) {
    if (nPos < 0 || nPos > m_nShownLength || nRemoved < 0)
        return false;
    nRemoved = std::min(nRemoved, m_nShownLength - nPos);

    if (nUndoSteps < m_nUndoSteps && !m_journal.empty() &&
        m_journal.back().nUndoSteps > nUndoSteps) {
        // An undo: the edits after that step are taken back, last first.
        while (!m_journal.empty() && m_journal.back().nUndoSteps > nUndoSteps) {
            const Edit& edit = m_journal.back();
            m_strText.replace(edit.nStoredPos, edit.nInsertedLen, edit.strRemoved);
            m_splits = edit.splitsBefore;
            m_nShownLength = edit.nShownLengthBefore;
            m_journal.pop_back();
        }
        m_nUndoSteps = nUndoSteps;
        return m_nShownLength == nShownLengthNow && Shown(nPos, added.size()) == added;
    }

    // A new edit (or a redo, which enters the same text again).
    m_nUndoSteps = nUndoSteps;
    const QString before = Shown(nPos, nRemoved);
    if (before == added) // a change of format only
        return m_nShownLength == nShownLengthNow;
    const qsizetype size = before.size();
    const qsizetype turn = size == added.size() && size > 1 ? (before + before).indexOf(added) : -1;
    CString inserted;
    std::vector<qsizetype> insertedSplits;
    qsizetype start = StoredPos(nPos);
    qsizetype end = start;
    if (turn > 0 && turn < size) {
        // Text moved inside the reported range (a drag within the field): the
        // moved characters and those they passed keep their stored form.
        std::vector<QStringView> units;
        for (qsizetype i = 0; i < size; ++i) {
            units.push_back(QStringView(m_strText).mid(end, UnitLength(end)));
            end += UnitLength(end);
        }
        for (qsizetype i = 0; i < size; ++i)
            AppendUnit(inserted, insertedSplits, units[std::size_t((i + turn) % size)]);
    } else {
        // The widget reports more than changed where it also formats anew (a
        // paste at the start covers the whole first line): what is the same
        // before and after keeps its stored form.
        const qsizetype common = std::min(size, added.size());
        qsizetype prefix = 0;
        while (prefix < common && before[prefix] == added[prefix])
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < common - prefix &&
               before[size - 1 - suffix] == added[added.size() - 1 - suffix])
            ++suffix;
        for (qsizetype i = 0; i < prefix; ++i)
            start += UnitLength(start);
        end = start;
        for (qsizetype i = prefix; i < size - suffix; ++i)
            end += UnitLength(end);
        inserted = AfxStoredFromEntered(added.mid(prefix, added.size() - suffix - prefix));
    }
    Splice(start, end, inserted, insertedSplits, nUndoSteps);
    return m_nShownLength == nShownLengthNow;
}

void CEditBuffer::Splice(qsizetype nStart, qsizetype nEnd, const CString& inserted,
                         const std::vector<qsizetype>& insertedSplits, int nUndoSteps) {
    if (nUndoSteps > 0) // only what the widget can undo is kept
        m_journal.push_back({nUndoSteps, nStart, m_strText.mid(nStart, nEnd - nStart),
                             inserted.size(), m_splits, m_nShownLength});
    const qsizetype removedUnits = UnitCount(nStart, nEnd);
    const qsizetype delta = inserted.size() - (nEnd - nStart);

    std::vector<qsizetype> splits;
    for (const qsizetype q : m_splits) {
        if (q < nStart)
            splits.push_back(q);
        else if (q >= nEnd)
            splits.push_back(q + delta);
    }
    for (const qsizetype q : insertedSplits)
        splits.push_back(nStart + q);
    std::sort(splits.begin(), splits.end());
    m_splits = std::move(splits);
    m_strText.replace(nStart, nEnd - nStart, inserted);

    // Both seams join whole units: a lone CR that now stands before a lone LF
    // stays a break of its own.
    const auto seam = [this](qsizetype q) {
        if (q < 0 || q + 1 >= m_strText.size())
            return;
        const bool pair = m_strText[q] == u'\r' && m_strText[q + 1] == u'\n';
        const auto it = std::lower_bound(m_splits.begin(), m_splits.end(), q);
        const bool marked = it != m_splits.end() && *it == q;
        if (pair && !marked)
            m_splits.insert(it, q);
        else if (!pair && marked)
            m_splits.erase(it);
    };
    seam(nStart - 1);
    if (!inserted.isEmpty())
        seam(nStart + inserted.size() - 1);
    m_nShownLength += UnitCount(nStart, nStart + inserted.size()) - removedUnits;
}

void CEditBuffer::Resync(const QString& shownNow) {
    const QString shown = Shown(0, m_nShownLength);
    const qsizetype common = std::min(shown.size(), shownNow.size());
    qsizetype prefix = 0;
    while (prefix < common && shown[prefix] == shownNow[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < common - prefix &&
           shown[shown.size() - 1 - suffix] == shownNow[shownNow.size() - 1 - suffix])
        ++suffix;
    const qsizetype start = StoredPos(prefix);
    const qsizetype end = StoredPos(shown.size() - suffix);
    m_journal.clear();
    Splice(start, end,
           AfxStoredFromEntered(shownNow.mid(prefix, shownNow.size() - suffix - prefix)), {}, 0);
}
