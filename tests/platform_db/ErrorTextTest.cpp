#include "platform/db/ErrorText.h"
#include <gtest/gtest.h>

using namespace zv::db;

// Every error box's text, for a database error and for any other failure
// (which counts as the general failure with its own text).
TEST(ErrorText, EachLayoutAsTheBoxesShowIt) {
    const DbError locked(-2147467259, "Record is locked", "zv.db");
    const DbError missing(53, "File not found", "zv.db");
    const std::runtime_error other("disk on fire");
    const struct {
        const std::exception &error;
        ErrorLayout layout;
        QString where;
        QString text;
    } cases[] = {
        {locked, ErrorLayout::Standard, {},
         "Error Number is -2147467259\rError Description is    Record is locked\rzv.db\rContact System Administrator"},
        {other, ErrorLayout::Standard, {},
         "Error Number is -2147467259\rError Description is    disk on fire\rzv\rContact System Administrator"},
        {missing, ErrorLayout::NumberColon, {}, "Error Number: 53\r\nFile not found"},
        {missing, ErrorLayout::NumberFirst, {}, "53\rFile not found"},
        {other, ErrorLayout::NumberFirst, {}, "-2147467259\rdisk on fire"},
        {missing, ErrorLayout::NumberFirstLf, {}, "53\nFile not found"},
        {missing, ErrorLayout::Labelled, "Error in UsrGenarateTempTable",
         "Error Number - 53\r\nError Description -File not found\r\nError Source - zv.db\r\nError in UsrGenarateTempTable"},
        {missing, ErrorLayout::DescriptionFirst, "Error in FrmSelection.ShowValues",
         "File not found\r53\rError in FrmSelection.ShowValues"},
        {other, ErrorLayout::Description, {}, "disk on fire"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(errorText(c.error, c.layout, c.where), c.text) << int(c.layout);
}
