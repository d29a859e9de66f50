#pragma once
// PLANDOR_SANITIZED is defined in a build with a sanitizer, where code runs many times slower and
// the address space is reserved by the sanitizer.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define PLANDOR_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define PLANDOR_SANITIZED 1
#endif
#endif
