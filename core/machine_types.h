// Named integer types, one per role. The x86-64 builds hold every machine
// word in signed 64 bits; the x86 builds use 32 bits with the signedness each
// quantity has there. Unsigned 32-bit arithmetic wraps (defined behaviour);
// signed quantities are never allowed to overflow.
#pragma once

#include <cstdint>

#if UINTPTR_MAX > 0xFFFFFFFFu
#define TEMBRIX_WORD_BITS 64
// Workload count and argument, every counter and buffer size inside a workload.
using WorkCount = std::int64_t;
// Result of timeWorkload, elapsedMs, running value of runOnThreads.
using TimerMs = std::int64_t;
// CPU test: calibration count and calibration time.
using CpuCalibCount = std::int64_t;
using CpuCalibMs = std::int64_t;
// opsPerSecond and the four CPU phase rates.
using CpuRate = std::int64_t;
// Memory test: blockKiB and bestBlock; disk test: block size.
using BlockKiB = std::int64_t;
// Memory test: copyCount, bestCount.
using MemCount = std::int64_t;
// Memory test: elapsed time of a calibration run.
using MemElapsedMs = std::int64_t;
// Memory test: bestSpeed (truncated throughput of the best block).
using MemBestSpeed = std::int64_t;
// Memory test: memSpeed, the final copy speed.
using MemSpeed = std::int64_t;
// Disk test: iteration count and elapsed time.
using DiskCount = std::int64_t;
using DiskElapsedMs = std::int64_t;
#else
#define TEMBRIX_WORD_BITS 32
using WorkCount = std::uint32_t;
using TimerMs = std::uint32_t;
using CpuCalibCount = std::uint32_t;
using CpuCalibMs = std::uint32_t;
using CpuRate = std::uint32_t;
using BlockKiB = std::int32_t;
using MemCount = std::uint32_t;
using MemElapsedMs = std::int32_t;
using MemBestSpeed = std::int32_t;
using MemSpeed = std::uint32_t;
using DiskCount = std::int32_t;
using DiskElapsedMs = std::int32_t;
#endif

// The workload argument has the width of the count in every build.
using WorkArg = WorkCount;

// Same in every build.
using ThreadCount = std::uint32_t;
using CycleCount = std::int32_t;
using PassIndex = std::int32_t;
using WorkStatus = std::int32_t;
using PriorityLevel = std::int32_t;
using SizeBits = std::int32_t;
using Checksum = std::int32_t;
