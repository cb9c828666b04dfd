// Counts the blocks of the COM task allocator (which holds every item-identifier list) that are taken and not
// given back while it is registered.
#pragma once

#include "TComObject.h"

#include <objidl.h>

class TMallocCount : public TComObject<IMallocSpy>
{
public:
    long Outstanding() const { return outstanding_; }

    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
    void* STDMETHODCALLTYPE PostAlloc(void* actual) override
    {
        if (actual != nullptr)
            ++outstanding_;
        return actual;
    }
    void* STDMETHODCALLTYPE PreFree(void* request, BOOL) override
    {
        if (request != nullptr)
            --outstanding_;
        return request;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* request, SIZE_T size, void** actual, BOOL) override
    {
        *actual = request;
        return size;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* actual, BOOL) override { return actual; }
    void* STDMETHODCALLTYPE PreGetSize(void* request, BOOL) override { return request; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T actual, BOOL) override { return actual; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* request, BOOL) override { return request; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}

private:
    long outstanding_ = 0;
};
