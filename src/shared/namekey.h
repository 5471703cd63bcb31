#pragma once

#include <QString>

// The key a name is compared by, so that names the user sees alike are one:
// the name in Unicode composed form (NFC), every blank character (tab,
// no-break space, the other Unicode spaces) a space, runs of them one
// space, zero-width characters (U+200B..U+200D, U+2060, U+FEFF) removed,
// blanks around it trimmed. Only for comparing: a name is shown and written
// as written.
QString nameKey(const QString& name);
