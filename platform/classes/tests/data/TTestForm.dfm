object MainForm: TTestForm
  object Button1: TTestWidget
    Caption = 'Сохранить'
    OnClick = Button1Click
    Buddy = Panel2
    Left = 24
    Top = 8
  end
  object Grid: TTestWidget
    Align = taClient
    Font.Style = [tsBold]
    Columns = <
      item
        Caption = 'Фамилия'
        Width = 150
      end
      item
        Caption = 'Имя'
      end>
    OnClick = Button1Click
  end
  object Panel1: TTestPanel
    object Panel2: TTestPanel
      Caption = 'Inner'
    end
  end
end
