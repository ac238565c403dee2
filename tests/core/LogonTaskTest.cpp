// The logon task's definition keeps the characters XML reserves, in a path or an account, as text.
#include <gtest/gtest.h>

#include "core/LogonTask.h"

TEST(LogonTask, ReservedCharactersStayText) {
  const core::String task = LogonTaskDefinition(T16("R&D<1>\\ann"), T16("C:\\R&D\\vexa.exe"), T16("-mini"));
  for (const core::Char* part :
       {T16("<UserId>R&amp;D&lt;1&gt;\\ann</UserId>"), T16("<Command>\"C:\\R&amp;D\\vexa.exe\"</Command>")})
    EXPECT_NE(task.find(part), core::String::npos);
  EXPECT_EQ(task.find(T16("R&D")), core::String::npos);
}
