#pragma once

#include "framework/structure.h"
#include "shared/regional.h"

class QTreeWidget;

// Fills tree with the structure, from the overall index down, children in
// the order the structure lists them, every branch open: per element its
// name, its weight as written (none for the overall index) and its
// effective weight in the overall index with six decimals, then the
// columns of composites the structure fills (Minimo, Massimo, Obiettivo,
// Trasformazione, Aggregazione), each only when some element has a value in
// it; an element that
// weight 0 leaves out of the computation, or that sits in a group left out,
// is marked as left out and greyed.
void fillStructureTree(QTreeWidget& tree, const Structure& structure, const Regional& regional);
