// The test program. `TestWindows --trust-test-authority` only puts the test authority among the trusted
// roots, as a company's own authority is trusted through the certificate store on its machines; it runs
// as a process of its own before the tests, because Wine's certificate checks read the trusted roots
// once per process.
#include "WindowsTestSupport.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--trust-test-authority") == 0) {
        std::string problem;
        if (WinTest::TrustTestAuthority(&problem))
            return 0;
        std::fprintf(stderr, "windows tests: %s\n", problem.c_str());
        return 2;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
