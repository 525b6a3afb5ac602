// The keys of an answer field and where Tab scrolls the grid.
#include "ui/answer_keys.h"

#include <gtest/gtest.h>

#include "core/ids.h"

namespace {

TEST(AnswerKeys, KeysOfAnAnswerField) {
    struct {
        unsigned key;
        FieldKeyAction action;
    } const cases[] = {
        {9, KeyBringIntoView}, {13, KeyEvaluate}, {112, KeyFillUnsolved}, {113, KeySaveAnswers},
        {33, KeyPageUp},       {38, KeyPageUp},   {34, KeyPageDown},      {40, KeyPageDown},
        {37, KeyPassOn},       {39, KeyPassOn},   {114, KeyPassOn},       {'A', KeyPassOn},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(fieldKeyAction(c.key), c.action);
    }
    EXPECT_TRUE(isSwallowedChar(13));
    EXPECT_TRUE(isSwallowedChar(9));
    EXPECT_FALSE(isSwallowedChar(10));
    EXPECT_FALSE(isSwallowedChar('a'));
}

TEST(AnswerKeys, TabScrollsToTopBottomOrTheFieldReached) {
    const ScreenSpan grid{200, 500};
    struct {
        const char* name;
        int fieldId;
        int fields;
        ScreenSpan field;
        int request;
        int target;
    } const cases[] = {
        {"first field shows the top", 4001, 6, {900, 920}, kRequestTop, 0},
        {"last field shows the bottom", 4006, 6, {-300, -280}, kRequestBottom, 0},
        {"inside: nothing", 4003, 6, {300, 320}, 0, 0},
        {"touching the edges: nothing", 4003, 6, {200, 500}, 0, 0},
        {"reaching below", 4003, 6, {490, 510}, kScrollToTarget, 130},
        {"above", 4004, 6, {150, 170}, kScrollToTarget, -210},
        {"one field: top", 4001, 1, {900, 920}, kRequestTop, 0},
        {"no fields: visibility only", 4001, 0, {900, 920}, kScrollToTarget, 540},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TabScroll scroll = tabScroll(c.fieldId, c.fields, c.field, grid);
        EXPECT_EQ(scroll.request, c.request);
        if (c.request == kScrollToTarget) {
            EXPECT_EQ(scroll.target, c.target);
        }
    }
}

}  // namespace
