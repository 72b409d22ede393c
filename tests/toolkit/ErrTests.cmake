# Test programs for ErrTests.
