// vantor-tool procs prints the index the source pane builds.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/wait.h>

namespace {

struct ToolRun
{
    int status = -1;
    std::string out;
};

ToolRun runTool(const std::string &args)
{
    ToolRun run;
    FILE *pipe = ::popen((std::string(VANTOR_TOOL) + " procs " + args + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string readAll(const std::string &fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ProcsToolTest, PrintsTheIndexLineTabText)
{
    const std::string data = VANTOR_SOURCEVIEW_DATA;
    const ToolRun run = runTool(data + "/overloads.pas");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, readAll(data + "/overloads.procs.txt"));
}

TEST(ProcsToolTest, FailsWithStatusTwoOnAMissingFileOrBadUsage)
{
    EXPECT_EQ(runTool("/nonexistent/unit.pas").status, 2);
    EXPECT_EQ(runTool("").status, 2);
    EXPECT_EQ(runTool("a.pas b.pas").status, 2);
}

} // namespace
