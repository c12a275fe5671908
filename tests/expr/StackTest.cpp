#include "expr/CStack.h"
#include "expr/clsPolish.h"

#include <gtest/gtest.h>

#include <string>

namespace tervane {
namespace {

TEST(CStack, GrowsInStepsOfTenAndPopsInReverse) {
    CStack<int> stack;
    EXPECT_EQ(stack.Capacity(), 0);
    for (int i = 0; i < 10; ++i)
        stack.Push(i);
    EXPECT_EQ(stack.Capacity(), 10);
    stack.Push(10);
    EXPECT_EQ(stack.Capacity(), 20);
    EXPECT_EQ(stack.StackSize(), 11);
    for (int i = 10; i >= 0; --i)
        EXPECT_EQ(stack.Pop(), i);
    EXPECT_EQ(stack.StackSize(), 0);
    EXPECT_EQ(stack.Capacity(), 20); // never shrinks
}

TEST(CStack, GetPopValuePeeksWithoutRemoving) {
    CStack<std::string> stack;
    stack.Push("a");
    stack.Push("b");
    EXPECT_EQ(stack.GetPopValue(), "b");
    EXPECT_EQ(stack.GetPopValue(), "b");
    EXPECT_EQ(stack.StackSize(), 2);
}

TEST(CStack, EmptyStackRaisesNumberedErrors) {
    CStack<float> stack;
    try {
        stack.Pop();
        FAIL() << "Pop on an empty stack must raise";
    } catch (const ExprError& e) {
        EXPECT_EQ(e.Number(), -2147220493);
        EXPECT_STREQ(e.what(), "Pop method invoked on empty stack");
    }
    try {
        stack.GetPopValue();
        FAIL() << "GetPopValue on an empty stack must raise";
    } catch (const ExprError& e) {
        EXPECT_EQ(e.Number(), -2147220492);
        EXPECT_STREQ(e.what(), "GetPopValue method invoked on empty stack");
    }
    // Emptied again after use, it still raises.
    stack.Push(1.0f);
    stack.Pop();
    EXPECT_THROW(stack.Pop(), ExprError);
}

std::string Contents(const clsPolish& list) {
    std::string s;
    for (int i = 0; i < list.ElementCount(); ++i)
        s += list.GetData(i) + ":" + std::to_string(list.GetRank(i)) + " ";
    return s;
}

TEST(clsPolish, InsertsAndRemovesByPosition) {
    clsPolish list;
    list.Push(0, 1, "A");
    list.Push(1, 2, "B");
    list.Push(0, 3, "new");
    EXPECT_EQ(Contents(list), "new:3 A:1 B:2 ");

    list.Push(3, 4, "C");
    list.Kill(1, 1);
    EXPECT_EQ(Contents(list), "new:3 B:2 C:4 ");
    EXPECT_EQ(list.ElementCount(), 3);

    list.Kill(0, 3);
    EXPECT_EQ(list.ElementCount(), 0);
}

TEST(clsPolish, KillFromTheMiddleOfThree) {
    clsPolish list;
    list.Push(0, 0, "A");
    list.Push(1, 0, "B");
    list.Push(2, 0, "C");
    list.Kill(1, 1);
    EXPECT_EQ(Contents(list), "A:0 C:0 ");
    EXPECT_EQ(list.ElementCount(), 2);
}

TEST(clsPolish, ClearKeepsStorage) {
    clsPolish list;
    list.Push(0, 0, "A");
    list.Push(1, 0, "B");
    list.Clear();
    EXPECT_EQ(list.ElementCount(), 0);
    EXPECT_EQ(list.GetData(1), "B"); // stale but allocated
    list.Push(0, 5, "X");
    EXPECT_EQ(list.ElementCount(), 1);
    EXPECT_EQ(Contents(list), "X:5 ");
}

TEST(clsPolish, OutOfRangeIndexesRaiseSubscriptErrors) {
    clsPolish list;
    list.Push(0, 0, "A");
    EXPECT_THROW(list.Push(2, 0, "gap"), ExprError);
    EXPECT_THROW(list.Push(-1, 0, "neg"), ExprError);
    EXPECT_THROW(list.Kill(0, 2), ExprError);
    EXPECT_THROW(list.GetRank(1), ExprError);
    EXPECT_THROW(list.GetData(-1), ExprError);
    try {
        list.GetData(5);
    } catch (const ExprError& e) {
        EXPECT_EQ(e.Number(), ExprError::kSubscript);
    }
    EXPECT_EQ(Contents(list), "A:0 ");
}

} // namespace
} // namespace tervane
