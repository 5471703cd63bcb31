// The methods layer cannot see the workflows above it.
#include "methods/metodi.h"
#include "workflow/processing.h"

int main() {
    return 0;
}
