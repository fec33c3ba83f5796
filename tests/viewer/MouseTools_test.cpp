#include "AppError.h"
#include "MouseTools.h"

#include <gtest/gtest.h>

TEST(MouseTools, ViewScaleIsBitmapRowsPerControlRow)
{
    GreyBitmap bitmap;
    bitmap.resize(256, 256);
    EXPECT_EQ(viewScale(bitmap), 0.5L);
    bitmap.resize(1024, 1024);
    EXPECT_EQ(viewScale(bitmap), 2.0L);
}

struct GripCase {
    const char* name;
    int32_t X, Y;
    bool topLeft, bottomRight, moveRoi;
};

TEST(MouseTools, WhatAPressGrips)
{
    const Rect frame{32, 32, 95, 95};
    const GripCase cases[] = {
        {"above-left", 10, 10, true, false, false},
        {"below-right", 100, 100, false, true, false},
        {"inside", 64, 64, false, false, true},
        {"on the left edge", 32, 64, false, false, false},
        {"on the bottom edge", 64, 95, false, false, false},
        {"above", 64, 10, false, false, false},
        {"below-left", 10, 100, false, false, false},
    };
    for (const GripCase& c : cases) {
        const RoiGrip grip = roiGripAt(frame, 1.0L, c.X, c.Y, 0, 0);
        EXPECT_EQ(grip.topLeft, c.topLeft) << c.name;
        EXPECT_EQ(grip.bottomRight, c.bottomRight) << c.name;
        EXPECT_EQ(grip.moveRoi, c.moveRoi) << c.name;
    }
    // A press inside at the last recorded pointer position grips nothing.
    EXPECT_FALSE(roiGripAt(frame, 1.0L, 64, 64, 64, 64).moveRoi);
    // The scale turns control pixels into bitmap pixels: (20, 20) is bitmap (40, 40), inside.
    EXPECT_TRUE(roiGripAt(frame, 2.0L, 20, 20, 0, 0).moveRoi);
}

TEST(MouseTools, CornerDragsMoveOneCorner)
{
    const Rect frame{32, 32, 95, 95};
    EXPECT_EQ(dragCorners(frame, {true, false, false}, 1.0L, 10, 20), (Rect{10, 20, 95, 95}));
    EXPECT_EQ(dragCorners(frame, {false, true, false}, 0.5L, 301, 251), (Rect{32, 32, 150, 125}));
    // Past the opposite corner the rectangle turns inside out.
    EXPECT_EQ(dragCorners(frame, {true, false, false}, 1.0L, 120, 120), (Rect{120, 120, 95, 95}));
}

TEST(MouseTools, WholeFrameFollowsThePointer)
{
    // Even size: half before the centre, half - 1 after it.
    EXPECT_EQ(centreFrameOn({32, 32, 95, 95}, 1.0L, 200, 100), (Rect{168, 68, 231, 131}));
    // Odd size: centred exactly.
    EXPECT_EQ(centreFrameOn({0, 0, 4, 2}, 1.0L, 10, 10), (Rect{8, 9, 12, 11}));
    // Scaled, and cut toward zero past the left edge: the frame loses a column.
    EXPECT_EQ(centreFrameOn({0, 0, 3, 3}, 0.5L, 3, 3), (Rect{0, 0, 2, 2}));
}

TEST(MouseTools, PanningNeedsRoomForTheMove)
{
    // A move of 4 image pixels with room 10: the shift follows, (SftX + 8 * 0.5).
    EXPECT_EQ(panShift(3, 8, 0.5L, 10, 10), 7);
    EXPECT_EQ(panShift(3, -8, 0.5L, 10, 10), -1);
    // No room: the shift stays.
    EXPECT_EQ(panShift(3, 8, 0.5L, 4, 10), std::nullopt);
    EXPECT_EQ(panShift(3, -8, 0.5L, 10, 4), std::nullopt);
    // Less than a whole image pixel moves nothing.
    EXPECT_EQ(panShift(3, 1, 0.5L, 10, 10), std::nullopt);
}

TEST(MouseTools, WindowLevelDrag)
{
    // 10 control pixels right with range 10: 100 wider.
    EXPECT_EQ(draggedWindowWidth(100, 10, 10), 200);
    // The width stays positive: a drag that would reach 0 leaves it alone.
    EXPECT_EQ(draggedWindowWidth(100, -10, 10), std::nullopt);
    EXPECT_EQ(draggedWindowWidth(100, -33, 3), 1);
    // Up raises the level, without limit.
    EXPECT_EQ(draggedWindowLevel(100, -5, 30), 250);
    EXPECT_EQ(draggedWindowLevel(-100, 1000, 30), -30100);
    EXPECT_THROW(draggedWindowLevel(-2147483000, 1000, 30), AppError);
}
