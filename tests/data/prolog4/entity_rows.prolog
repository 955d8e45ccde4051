<?xml version="1.0"?>
<!DOCTYPE CProlog [<!ENTITY r "<CLithData><a>SAND</a><b>100</b><c>1</c></CLithData>">]>
<CProlog><CHeadings><m_HeadingItem><CItem><m_Heading>Rock</m_Heading></CItem></m_HeadingItem><m_HeadingItem><CItem><m_Heading>Pct</m_Heading></CItem></m_HeadingItem><m_HeadingItem><CItem><m_Heading>Thick</m_Heading></CItem></m_HeadingItem></CHeadings>
<m_Data>&r;&r;&r;<CLithData x1="a" x2="b"><a>CLAY</a><b>100</b><c>2</c></CLithData></m_Data></CProlog>
