// Run's inner loop: instructions back to back until one stops the run or the
// caller's time slice is over. The caller lets the user interface's events
// through between slices, so none of that happens per instruction.
#pragma once

#include "sim/Simulator.h"

enum class SliceEnd {
    HltExecuted,   // the last instruction was a HLT
    AtBreakpoint,  // the program counter is in the breakpoint table
    TimeUp,        // the caller's slice is over; the run goes on after its events
};

// Instructions between two questions to the caller whether time is up: a
// clock read costs as much as a few instructions. An odd prime, so that the
// points where a slice can end do not fall in step with a program's loops.
constexpr int kInstructionsPerTimeCheck = 251;

// Executes instructions as Run does: the opcode is read before it executes,
// and after each instruction the run stops when the new program counter is
// a breakpoint or the instruction was HLT. timeUp() is asked once every
// kInstructionsPerTimeCheck instructions that did not stop the run.
template <class TimeUp> SliceEnd RunSlice(CSimulator& sim, TimeUp timeUp) {
    for (;;) {
        for (int i = 0; i < kInstructionsPerTimeCheck; ++i) {
            const u8 opcode = sim.m_pMemory[sim.m_pc];
            sim.ExecuteInstruction();
            if (opcode == kOpcodeHlt) return SliceEnd::HltExecuted;
            if (sim.IsBreakpointAt(sim.m_pc)) return SliceEnd::AtBreakpoint;
        }
        if (timeUp()) return SliceEnd::TimeUp;
    }
}
