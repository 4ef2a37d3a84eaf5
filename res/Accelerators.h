// The main window's keyboard accelerators.
#pragma once

#include <QKeyCombination>

struct AcceleratorDef {
    QKeyCombination key;
    int nID;
};
extern const AcceleratorDef kAccelerators[];
extern const int kAcceleratorCount;
