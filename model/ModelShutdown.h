#pragma once
// The end of the model state at exit, in an order the C++ static destruction order cannot
// promise: first the document (its models hold references into the cache and may be referred to
// by the copy buffer), then the copy buffer (its clones hold cache uses), then the file cache.
#include <functional>

// closeDocument ends the document and its models; it may be empty when there is none.
void ShutdownModelState(const std::function<void()>& closeDocument);
