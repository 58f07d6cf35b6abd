// The one source of lumivo_test_pch and lumivo_tool_pch, the targets whose precompiled headers
// the test programs, demonstrations and benchmarks reuse.
