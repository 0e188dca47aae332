#pragma once

// "quorvia-gateway test [options]": the gateway service with what the demo and the tests need
// added (TestMode.cpp, which needs Qt; the service itself does not). `argv[0]` is "test".
int runTestMode(int argc, char *argv[]);
