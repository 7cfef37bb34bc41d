#pragma once

// The text behind a multi-line edit field, exactly as the program gave it,
// and the way it is shown. The widget never is the source of the text: each
// edit the widget reports (position, characters removed, characters added) is
// applied to the stored text, so every character the user did not touch stays
// as it was, the line breaks of other systems and non-breaking spaces included.
//
// How the stored text is shown, one shown character per unit:
// - a line break is one unit, shown as a paragraph break of the widget: CR LF,
//   a lone LF, a lone CR, U+2029 and the two characters the text document
//   takes for frame marks (U+FDD0, U+FDD1). CR CR LF is a lone CR followed by
//   CR LF, so it shows as two breaks. Which break a unit holds is kept here,
//   so it survives editing around it.
// - every other character is a unit of its own and shown as itself: U+2028
//   (which the widget lays out as a line break inside the paragraph), U+00A0,
//   tabs, other control characters.
// Shown positions therefore map to stored positions without loss. A break the
// user types or pastes is stored as CR LF; everything else the user enters is
// stored as entered. When a deletion brings a lone CR next to a lone LF, the
// two stay two breaks (the widget shows two) until the text is set anew.
//
// Undo of the widget brings back what an edit removed: the edits are kept in a
// journal, tagged with the widget's number of undo steps after each, so an undo
// restores the stored characters, not a new reading of the widget's.

#include "AfxDefs.h"

#include <vector>

class CEditBuffer {
public:
    // Replaces the whole text and forgets the journal. Returns the text the
    // widget is to show, with each line break as U+2029.
    QString SetText(const CString& stored);
    const CString& Text() const { return m_strText; }
    // The number of shown characters.
    qsizetype ShownLength() const { return m_nShownLength; }
    // The shown form of the units from shown position nPos, nCount of them.
    QString Shown(qsizetype nPos, qsizetype nCount) const;

    // Applies an edit the widget reports: at shown position nPos, nRemoved
    // shown characters were replaced by `added` (as the widget now shows it).
    // nUndoSteps is the widget's number of undo steps after the edit; fewer
    // than after the previous edit means an undo. `shownNow` gives the
    // widget's whole text; it is asked for only when the edit does not fit
    // what is stored (then the difference is taken as typed).
    template <typename ShownNow>
    void ApplyEdit(qsizetype nPos, qsizetype nRemoved, const QString& added, int nUndoSteps,
                   qsizetype nShownLengthNow, ShownNow shownNow) {
        if (!Apply(nPos, nRemoved, added, nUndoSteps, nShownLengthNow))
            Resync(shownNow());
    }

    // Makes the stored text match the widget's whole text: what differs
    // between the two is taken as typed. The journal is forgotten.
    void Resync(const QString& shownNow);

private:
    struct Edit {
        int nUndoSteps;         // the widget's undo steps after the edit
        qsizetype nStoredPos;   // where the edit took place
        CString strRemoved;     // the stored characters it removed
        qsizetype nInsertedLen; // the number of stored characters it inserted
        std::vector<qsizetype> splitsBefore;
        qsizetype nShownLengthBefore;
    };

    bool Apply(qsizetype nPos, qsizetype nRemoved, const QString& added, int nUndoSteps,
               qsizetype nShownLengthNow);
    // Stored position of the unit at shown position nPos (or of the end).
    qsizetype StoredPos(qsizetype nShownPos) const;
    qsizetype UnitLength(qsizetype nStoredPos) const;
    bool IsSplit(qsizetype nStoredPos) const;
    qsizetype UnitCount(qsizetype nStoredPos, qsizetype nStoredEnd) const;
    // Replaces stored [nStart, nEnd) by `inserted` (whole units; insertedSplits
    // its lone CRs before a lone LF) and keeps the breaks at both seams as they
    // were shown; records the edit in the journal.
    void Splice(qsizetype nStart, qsizetype nEnd, const CString& inserted,
                const std::vector<qsizetype>& insertedSplits, int nUndoSteps);

    CString m_strText;
    // Stored positions of a lone CR that is followed by a lone LF; sorted.
    std::vector<qsizetype> m_splits;
    qsizetype m_nShownLength = 0;
    std::vector<Edit> m_journal;
    int m_nUndoSteps = 0;
};

// The stored form of text the user entered: each break becomes CR LF.
CString AfxStoredFromEntered(const QString& shown);
