#pragma once

// Which reference file belongs to which file, kept in the user's settings so
// that opening a file opens its reference again. The most recent pairs are
// kept, up to a limit, newest first.

#include "AfxDefs.h"

class QSettings;

// The reference remembered for `file`, or empty.
CString RememberedReference(QSettings& settings, const CString& file);
// Remembers `reference` for `file`; an empty reference forgets the pair.
void RememberReference(QSettings& settings, const CString& file, const CString& reference);

constexpr int kRememberedReferences = 100;
