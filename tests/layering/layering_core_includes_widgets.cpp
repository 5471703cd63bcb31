// The computation core never includes a QtWidgets header.
#include "stats/matrix.h"

#include <QWidget>

int main() {
    return 0;
}
