#include <gtest/gtest.h>

#include <string>

#include "qk_fixture.h"
#include "shown_catalog.h"

namespace qk::test {
namespace {

class ExportCommand : public QkTest {
 protected:
  ExportCommand() { writeShownCatalog(*system_, path("k.ksf")); }
};

TEST_F(ExportCommand, WritesCsvInTheCodePage) {
  const QkResult result = qk({"export", path("k.ksf"), "--csv"});
  EXPECT_EQ(result.status, kExitOk) << result.err;
  EXPECT_EQ(result.out,
            "record,name,location,typeCode,description,modified,lineCount,author,groupId,"
            "entryIndex\r\n"
            "entry,\"Alpha\nneu.c\",..\\lib\\alpha.c,5,\"sagt \"\"hallo\"\", zweizeilig\r\nEnde\","
            "1236262029,7,M\xFCller,-1,1\r\n"
            "entry,beta.xyz,D:\\x\\beta.xyz,0,,1236262029,0,Unbekannt,0,2\r\n"
            "entry,zeta.pb,.\\zeta.pb,1,,1236262029,1200,Max Muster,1,0\r\n"
            "group,Werkzeuge,,,,,,,0,\r\n"
            "group,\"Spiele, alt\",,,,,,,1,\r\n");
}

TEST_F(ExportCommand, WritesJsonInUtf8) {
  const QkResult result = qk({"export", "--json", "-c", path("k.ksf")});
  EXPECT_EQ(result.status, kExitOk) << result.err;
  EXPECT_EQ(result.out,
            "{\n"
            "  \"entries\": [\n"
            "    {\"name\": \"Alpha\\nneu.c\", \"location\": \"..\\\\lib\\\\alpha.c\", "
            "\"typeCode\": 5, \"description\": \"sagt \\\"hallo\\\", zweizeilig\\r\\nEnde\", "
            "\"modified\": 1236262029, \"lineCount\": 7, \"author\": \"M\xC3\xBCller\", "
            "\"groupId\": -1, \"entryIndex\": 1},\n"
            "    {\"name\": \"beta.xyz\", \"location\": \"D:\\\\x\\\\beta.xyz\", \"typeCode\": 0, "
            "\"description\": \"\", \"modified\": 1236262029, \"lineCount\": 0, "
            "\"author\": \"Unbekannt\", \"groupId\": 0, \"entryIndex\": 2},\n"
            "    {\"name\": \"zeta.pb\", \"location\": \".\\\\zeta.pb\", \"typeCode\": 1, "
            "\"description\": \"\", \"modified\": 1236262029, \"lineCount\": 1200, "
            "\"author\": \"Max Muster\", \"groupId\": 1, \"entryIndex\": 0}\n"
            "  ],\n"
            "  \"groups\": [\n"
            "    {\"name\": \"Werkzeuge\", \"groupId\": 0},\n"
            "    {\"name\": \"Spiele, alt\", \"groupId\": 1}\n"
            "  ]\n"
            "}\n");
}

TEST_F(ExportCommand, WritesEmptyListsForAnEmptyCatalog) {
  writeBytes(path("leer.ksf"), std::string("\xC6\x07\x00\x00", 4));
  EXPECT_EQ(qk({"export", path("leer.ksf"), "--json"}).out,
            "{\n  \"entries\": [],\n  \"groups\": []\n}\n");
  EXPECT_EQ(qk({"export", path("leer.ksf"), "--csv"}).out,
            "record,name,location,typeCode,description,modified,lineCount,author,groupId,"
            "entryIndex\r\n");
}

}  // namespace
}  // namespace qk::test
