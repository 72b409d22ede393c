# Test programs for SupportTests.
