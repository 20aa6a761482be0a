// The editor window can be created and found by its object name.
#include <gtest/gtest.h>

#include "qt/EditorWidget.h"

TEST(EditorWidget, IsNamedMemo1) {
  EditorWidget memo;
  EXPECT_EQ(memo.objectName(), "Memo1");
  EXPECT_EQ(memo.Editor().Lines().Count(), 0);
}
