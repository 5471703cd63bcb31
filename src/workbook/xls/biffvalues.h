#pragma once

#include <QString>

// Cell values as BIFF8 encodes them.

// The number of an RK value: bit 1 set means the upper 30 bits are a signed
// integer, clear means they are the upper 30 bits of an IEEE double (the
// lower 34 bits zero); bit 0 set means the number is to be divided by 100.
double decodeRk(quint32 rk);

// The error text of a BIFF error code: #NULL! #DIV/0! #VALUE! #REF! #NAME?
// #NUM! #N/A; an unknown code gives #N/A.
QString biffErrorText(quint8 code);
