// Shared helpers of the tests live beside this file.
namespace platine::testing {
int supportLinked() { return 1; }
}
