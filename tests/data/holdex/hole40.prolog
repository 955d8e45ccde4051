<?xml version="1.0"?>
<!-- A Prolog 4.0 borehole for trying Holdex: one heading template, one list of units. -->
<CProlog>
  <CHeadings>
    <m_HeadingItem><CItem><m_Heading>Rock</m_Heading></CItem></m_HeadingItem>
    <m_HeadingItem><CItem><m_Heading>Pct</m_Heading></CItem></m_HeadingItem>
    <m_HeadingItem><CItem><m_Heading>Seam</m_Heading></CItem></m_HeadingItem>
    <m_HeadingItem><CItem><m_Heading>Note</m_Heading></CItem></m_HeadingItem>
    <m_HeadingItem><CItem><m_Heading>Rec</m_Heading></CItem></m_HeadingItem>
    <m_HeadingItem><CItem><m_Heading>Thick</m_Heading></CItem></m_HeadingItem>
    <m_HeadingItem><CItem><m_Heading>Depth</m_Heading></CItem></m_HeadingItem>
  </CHeadings>
  <m_Data>
    <CLithData><a>SAND</a><b>100</b><c>S1</c><d>fine grained</d><e/><f>2</f><g>2</g></CLithData>
    <CLithData><a>CLAY</a><b>100</b><c>S1</c><d>stiff</d><e>2.5</e><f>3</f><g>5</g></CLithData>
  </m_Data>
</CProlog>
