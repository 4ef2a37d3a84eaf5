// The timer tick handles its sixteen slots one by one, four at a time (SSE2,
// every x86-64 has it) or all sixteen at once (AVX-512), all by the same
// rules. Start-up picks the widest the processor has; tests run each.
#pragma once

enum class TimerTickPath { OneByOne, FourAtATime, SixteenAtATime };

bool IsTimerTickPathAvailable(TimerTickPath path);
// Returns false, changing nothing, when the path is not available here.
bool UseTimerTickPath(TimerTickPath path);
TimerTickPath CurrentTimerTickPath();
