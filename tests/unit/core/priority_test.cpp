// The priority levels mapped to the platform's classes.
#include "core/priority.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakes/fake_priority.h"

namespace {

TEST(SetPriority, MapsLevelsToClassesOneRequestEach) {
    fakePriorityReset();
    for (PriorityLevel level : {Normal, High, Realtime, 0, 4, -1, -2147483647 - 1}) {
        EXPECT_TRUE(setPriority(level));
    }
    const std::vector<PlatformPriorityClass> expected = {
        kPriorityClassNormal, kPriorityClassHigh,   kPriorityClassRealtime, kPriorityClassNormal,
        kPriorityClassNormal, kPriorityClassNormal, kPriorityClassNormal};
    EXPECT_EQ(fakePriorityRequests(), expected);
}

TEST(SetPriority, PassesARefusalThroughWithoutFallingBack) {
    fakePriorityReset();
    fakePriorityRefuse(kPriorityClassRealtime);
    EXPECT_FALSE(setPriority(Realtime));
    EXPECT_TRUE(setPriority(High));
    const std::vector<PlatformPriorityClass> expected = {kPriorityClassRealtime,
                                                         kPriorityClassHigh};
    EXPECT_EQ(fakePriorityRequests(), expected);
}

}  // namespace
