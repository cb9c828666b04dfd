// The IUnknown part of the program's own small COM objects: reference counting and one interface.
#pragma once

#include <windows.h>

#include <unknwn.h>

template <typename TInterface> class TComObject : public TInterface
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == __uuidof(TInterface))
        {
            *object = static_cast<TInterface*>(this);
            this->AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

protected:
    virtual ~TComObject() = default;

private:
    LONG references_ = 1;
};
