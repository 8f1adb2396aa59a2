#pragma once
// Measures committed write throughput in the destination directory.
void diskTest();
