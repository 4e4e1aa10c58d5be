// Placeholder until the information windows are built.
#include "app/frmalkohol.h"

void frmAlkohol::Command2_Click() {}
void frmAlkohol::Command3_Click() {}
