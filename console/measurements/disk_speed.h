// The disk test.
#pragma once
// Measures committed write throughput in the destination directory.
void diskTest();
