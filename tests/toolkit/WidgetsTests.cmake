# Test programs for WidgetsTests.
