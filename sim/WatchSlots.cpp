#include "sim/Simulator.h"

u16 g_IOWatchKind[kMaxIOWatches];
u16 g_IOWatchIndex[kMaxIOWatches];
u8 g_IOWatchValid[kMaxIOWatches];

namespace {
// An insert needs a free entry past the last one and a slot inside the list
// (or just after it); a count beyond the capacity, as a damaged configuration
// file could give, is refused rather than trusted.
bool CanInsert(int index, int count, int capacity) {
    return count >= 0 && count < capacity && index >= 0 && index <= count;
}

bool CanDelete(int index, int count, int capacity) { return count <= capacity && index >= 0 && index < count; }

// Entries move one by one: an insert from the end down to the slot, a delete
// from the slot up to the end, so no entry is overwritten before it moves.
template <typename T> void OpenSlot(T* list, int index, int count) {
    for (int j = count; j > index; --j) list[j] = list[j - 1];
}

template <typename T> void CloseSlot(T* list, int index, int count) {
    for (int j = index; j < count - 1; ++j) list[j] = list[j + 1];
}
}  // namespace

bool CSimulator::InsertSlot(u16* list, int index, int count, int capacity) {
    if (!CanInsert(index, count, capacity)) return false;
    OpenSlot(list, index, count);
    return true;
}

bool CSimulator::DeleteSlot(u16* list, int index, int count, int capacity) {
    if (!CanDelete(index, count, capacity)) return false;
    CloseSlot(list, index, count);
    return true;
}

bool CSimulator::InsertSlot3(u16 (&kinds)[kMaxIOWatches], u16 (&indexes)[kMaxIOWatches], u8 (&valid)[kMaxIOWatches],
                             int index, int count) {
    if (!CanInsert(index, count, kMaxIOWatches)) return false;
    OpenSlot(kinds, index, count);
    OpenSlot(indexes, index, count);
    OpenSlot(valid, index, count);
    return true;
}

bool CSimulator::DeleteSlot3(u16 (&kinds)[kMaxIOWatches], u16 (&indexes)[kMaxIOWatches], u8 (&valid)[kMaxIOWatches],
                             int index, int count) {
    if (!CanDelete(index, count, kMaxIOWatches)) return false;
    CloseSlot(kinds, index, count);
    CloseSlot(indexes, index, count);
    CloseSlot(valid, index, count);
    return true;
}
