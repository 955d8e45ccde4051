#pragma once
// The configuration's tables of records referred to by id: an ordered map from id to record that
// hands out ids. Ids are never reused within a run, even after the table has been emptied.
#include <map>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <unordered_map>

#include <boost/core/demangle.hpp>

namespace ORBAX_Utilities {

// Base of every table record; the id is 0 until the record is stored in a DBaseList.
struct DBaseListMember {
    int id = 0;
};

template <class T>
class DBaseList {
public:
    using map_type = std::map<int, T>;
    using iterator = typename map_type::iterator;
    using const_iterator = typename map_type::const_iterator;

    // A record with id 0 gets the next id; one with an id is stored under it, replacing any record
    // already there. A known id also raises the counter, so that a later record with id 0 can never
    // be given an id in use and silently replace another record.
    iterator Insert(const T& record)
    {
        int id = record.id;
        if (id == 0)
            id = ++m_lastId;
        else if (id > m_lastId)
            m_lastId = id;
        auto position = m_records.insert_or_assign(id, record).first;
        position->second.id = id;
        return position;
    }

    T& Get(int id) { return find_or_throw(m_records, id); }
    const T& Get(int id) const { return find_or_throw(m_records, id); }

    bool Contains(int id) const { return m_records.count(id) != 0; }
    iterator find(int id) { return m_records.find(id); }
    const_iterator find(int id) const { return m_records.find(id); }
    // The first record with an id above `id`.
    const_iterator after(int id) const { return m_records.upper_bound(id); }

    // The first record, in id order, whose name equals `name` exactly; a new record made by
    // `make(name)` and inserted with the next id when there is none.
    template <class Name, class Make>
    T& FindOrCreate(const Name& name, Make make)
    {
        for (auto& entry : m_records)
            if (entry.second.GetName() == name)
                return entry.second;
        T created = make(name);
        created.id = 0;
        return Insert(created)->second;
    }
    template <class Name>
    T& FindOrCreate(const Name& name)
    {
        return FindOrCreate(name, [](const Name& n) { return T(n); });
    }
    // The same over a run of look-ups in which no record is renamed or removed (a read of the
    // configuration file): `index` holds the ids of the names, taken from the table at its first use
    // and kept up with the records made, so that each look-up costs one hash, not a pass over the table.
    template <class Name>
    T& FindOrCreate(const Name& name, std::unordered_map<Name, int>& index)
    {
        if (index.empty())
            for (const auto& entry : m_records)
                index.emplace(entry.second.GetName(), entry.first);
        const auto found = index.find(name);
        if (found != index.end())
            return Get(found->second);
        T created(name);
        created.id = 0;
        T& record = Insert(created)->second;
        index.emplace(name, record.id);
        return record;
    }

    // Removes every record and keeps the last id.
    void Clear() { m_records.clear(); }

    int LastId() const { return m_lastId; }
    std::size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    iterator begin() { return m_records.begin(); }
    iterator end() { return m_records.end(); }
    const_iterator begin() const { return m_records.begin(); }
    const_iterator end() const { return m_records.end(); }

private:
    template <class Map>
    static auto& find_or_throw(Map& records, int id)
    {
        auto position = records.find(id);
        if (position == records.end())
            throw std::runtime_error("id not found in DBaseList for class " + boost::core::demangle(typeid(T).name()));
        return position->second;
    }

    map_type m_records;
    int m_lastId = 0;
};

} // namespace ORBAX_Utilities
